#include "sandbox/SandboxService.h"

#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "core/common/Encoding.h"
#include "sandbox/FormBody.h"
#include "sandbox/ImageCheck.h"
#include "sandbox/JsonWriter.h"

namespace nuvo::sandbox {
namespace {

constexpr std::size_t kMaxTitleCharacters = 65;
constexpr std::size_t kMaxRequestsKept = 10000;
const std::string kSessionCookie = "SBSESSION";

std::string Field(const Fields& fields, std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (key == name) return value;
  }
  return {};
}

bool Has(const Fields& fields, std::string_view name) {
  for (const auto& [key, value] : fields) {
    if (key == name) return true;
  }
  return false;
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// A decimal integer without sign or separators, within [low, high].
bool IsNumberIn(const std::string& text, long long low, long long high) {
  if (text.empty() || text.size() > 12) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  long long value = std::stoll(text);
  return value >= low && value <= high;
}

const char* RoleName(ServiceRole role) {
  static const char* names[] = {"sell",         "login",   "protect", "contact", "image",
                                "announcement", "listing", "main",    "update",  "help"};
  return names[static_cast<std::size_t>(role)];
}

// The connected socket a request arrived on, found by its two port numbers: cpp-httplib keeps
// it to itself, and a reset or a cut connection can only be played on the socket.
int SocketOf(const httplib::Request& request) {
  DIR* folder = opendir("/proc/self/fd");
  if (!folder) return -1;
  int found = -1;
  while (dirent* entry = readdir(folder)) {
    int fd = std::atoi(entry->d_name);
    if (fd <= 2) continue;
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t localSize = sizeof local;
    socklen_t peerSize = sizeof peer;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0 ||
        getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peerSize) != 0 ||
        local.sin_family != AF_INET) {
      continue;
    }
    if (ntohs(local.sin_port) == request.local_port &&
        ntohs(peer.sin_port) == request.remote_port) {
      found = fd;
      break;
    }
  }
  closedir(folder);
  return found;
}

// The size of the body as it was sent: a multipart body is taken apart into its parts as it is
// read, and only the length it was announced with tells its size.
std::size_t BodyBytes(const httplib::Request& request) {
  const std::string length = request.get_header_value("Content-Length");
  return length.empty() ? request.body.size() : std::strtoull(length.c_str(), nullptr, 10);
}

std::string CookieValue(const httplib::Request& request, const std::string& name) {
  const std::string header = request.get_header_value("Cookie");
  std::size_t pos = 0;
  while (pos < header.size()) {
    std::size_t end = header.find(';', pos);
    std::string pair = header.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    std::size_t start = pair.find_first_not_of(' ');
    if (start != std::string::npos) pair.erase(0, start);
    if (pair.starts_with(name + "=")) return pair.substr(name.size() + 1);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return {};
}

// Addresses carried inside a redirect are written in hexadecimal: clients differ in how they
// re-encode a percent sign in a Location, and a hop must come back exactly as it left.
std::string HexText(std::string_view text) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (char c : text) {
    hex += digits[static_cast<unsigned char>(c) >> 4];
    hex += digits[static_cast<unsigned char>(c) & 15];
  }
  return hex;
}

std::string FromHexText(std::string_view hex) {
  std::string text;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    text += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  }
  return text;
}

}  // namespace

CSandboxService::CSandboxService(std::array<std::string, kServiceRoleCount> urls,
                                 PageCharset charset, Scenario start)
    : pages_(urls, charset.label),
      categories_(urls[static_cast<std::size_t>(ServiceRole::Listing)],
                  urls[static_cast<std::size_t>(ServiceRole::Sell)]),
      charset_(std::move(charset)),
      startScenario_(std::move(start)),
      tokenSalt_(std::random_device{}()) {
  UseScenario(startScenario_);
}

std::string CSandboxService::Encode(const std::string& utf8) const {
  return ConvertCharset(utf8, kUtf8, charset_.icuName.c_str()).value_or(utf8);
}

std::string CSandboxService::NewToken() {
  std::mt19937_64 mix(tokenSalt_ + ++nextToken_);
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(mix()));
  return text;
}

void CSandboxService::Reset() {
  UseScenario(startScenario_);
  drafts_.clear();
  confirmations_.clear();
  sessions_.clear();
  listings_.clear();
  deviations_.clear();
  requests_.clear();
}

void CSandboxService::UseScenario(Scenario scenario) {
  scenario_ = std::move(scenario);
  pages_.Choose(
      {scenario_.photoButton, scenario_.omitted, scenario_.errorPage, scenario_.completion});
  stepCounts_.clear();
}

void CSandboxService::Handle(ServiceRole role, const httplib::Request& request,
                             httplib::Response& response) {
  if (request.path.starts_with("/__sandbox/")) {
    Control(request, response);
    return;
  }
  std::unique_lock lock(mutex_);
  const std::string step = StepOf(role, request);
  RequestRecord record{RoleName(role),
                       request.method,
                       request.path,
                       {},
                       request.get_header_value("Content-Type"),
                       BodyBytes(request),
                       step,
                       {},
                       0};
  if (auto query = request.target.find('?'); query != std::string::npos) {
    record.query = request.target.substr(query + 1);
  }
  const int nth = ++stepCounts_[step];
  std::optional<Fault> fault;
  for (const Fault& candidate : scenario_.faults) {
    if (candidate.step == step && candidate.nth == nth) fault = candidate;
  }
  if (fault && fault->kind == Fault::Kind::Delay) {
    record.fault = "delay";
    // The other ports keep answering while this page waits.
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(fault->delayMs));
    lock.lock();
    fault.reset();
  }
  if (fault && ApplyFault(*fault, role, request, response)) {
    record.fault = "applied";
    record.status = response.status;
  } else {
    Reply reply = Dispatch(step, role, request);
    Send(reply, response);
    record.status = response.status;
    if (fault && fault->kind == Fault::Kind::Truncate) {
      // The headers promise the whole page; half of it is sent and the connection ends.
      record.fault = "truncate";
      auto body = std::make_shared<std::string>(response.body);
      const std::string type = response.get_header_value("Content-Type");
      response.body.clear();
      response.set_content_provider(
          body->size(), type, [body](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            if (offset > 0) return false;
            sink.write(body->data(), body->size() / 2);
            return true;
          });
    }
  }
  if (requests_.size() < kMaxRequestsKept) requests_.push_back(std::move(record));
}

void CSandboxService::HandleRefused(ServiceRole role, const httplib::Request& request,
                                    httplib::Response& response) {
  std::lock_guard lock(mutex_);
  const std::string step = StepOf(role, request);
  const std::string reason =
      "request refused by the server's parser (HTTP " + std::to_string(response.status) + ")";
  deviations_.push_back({step, reason});
  requests_.push_back({RoleName(role),
                       request.method,
                       request.path,
                       {},
                       request.get_header_value("Content-Type"),
                       BodyBytes(request),
                       step,
                       {},
                       response.status});
  response.set_content(Encode(pages_.Error("リクエストの形式が正しくありません。")),
                       "text/html; charset=" + charset_.label);
}

bool CSandboxService::ApplyFault(const Fault& fault, ServiceRole, const httplib::Request& request,
                                 httplib::Response& response) {
  const std::string original = request.target;
  const bool post = request.method == "POST";
  switch (fault.kind) {
    case Fault::Kind::Status:
      response.status = fault.status;
      response.set_content(Encode(pages_.Error("サーバーエラーが発生しました。")),
                           "text/html; charset=" + charset_.label);
      return true;
    case Fault::Kind::Close:
    case Fault::Kind::Reset: {
      int fd = SocketOf(request);
      if (fd >= 0 && fault.kind == Fault::Kind::Reset) {
        // With lingering off, closing the socket sends a reset instead of an orderly end.
        linger off{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &off, sizeof off);
      }
      if (fd >= 0 && fault.kind == Fault::Kind::Close) shutdown(fd, SHUT_RDWR);
      // A promised body that never comes makes the server drop the connection.
      response.set_content_provider(
          1024, "text/html", [](std::size_t, std::size_t, httplib::DataSink&) { return false; });
      return true;
    }
    case Fault::Kind::RedirectChain:
      response.status = post ? 307 : 302;
      response.set_header("Location", "/__sandbox/hop?left=" + std::to_string(fault.count) +
                                          "&post=" + (post ? "1" : "0") +
                                          "&to=" + HexText(original));
      return true;
    case Fault::Kind::RedirectLoop:
      response.status = 302;
      response.set_header("Location", "/__sandbox/loop?n=1");
      return true;
    case Fault::Kind::Truncate:
    case Fault::Kind::Delay:
      return false;
  }
  return false;
}

void CSandboxService::Control(const httplib::Request& request, httplib::Response& response) {
  std::lock_guard lock(mutex_);
  const std::string& path = request.path;
  if (path == "/__sandbox/hop" || path == "/__sandbox/loop") {
    // The hops of an injected redirect chain or loop: each one is a new request.
    int left = path == "/__sandbox/hop" ? std::atoi(request.get_param_value("left").c_str()) : 0;
    const bool post = request.get_param_value("post") == "1";
    response.status = post ? 307 : 302;
    if (path == "/__sandbox/loop") {
      const int n = std::atoi(request.get_param_value("n").c_str());
      response.set_header("Location", "/__sandbox/loop?n=" + std::to_string(n % 2 + 1));
    } else if (left > 1) {
      response.set_header("Location", "/__sandbox/hop?left=" + std::to_string(left - 1) +
                                          "&post=" + (post ? "1" : "0") +
                                          "&to=" + request.get_param_value("to"));
    } else {
      const std::string to = request.get_param_value("to");
      const bool hex = to.find_first_not_of("0123456789abcdef") == std::string::npos;
      response.set_header("Location", hex ? FromHexText(to) : "/");
    }
    return;
  }
  if (path == "/__sandbox/listings" && request.method == "GET") {
    response.set_content(ListingsJson(), "application/json; charset=UTF-8");
  } else if (path == "/__sandbox/requests" && request.method == "GET") {
    response.set_content(RequestsJson(), "application/json; charset=UTF-8");
  } else if (path == "/__sandbox/reset" && request.method == "POST") {
    Reset();
    response.set_content("{\"ok\": true}\n", "application/json; charset=UTF-8");
  } else if (path == "/__sandbox/scenario" && request.method == "POST") {
    Scenario scenario;
    std::string why;
    if (!ParseScenario(request.body, scenario, why)) {
      response.status = 400;
      CJsonWriter json;
      json.BeginObject().Key("error").String(why).EndObject();
      response.set_content(json.Text(), "application/json; charset=UTF-8");
      return;
    }
    UseScenario(std::move(scenario));
    response.set_content("{\"ok\": true}\n", "application/json; charset=UTF-8");
  } else {
    response.status = 404;
    response.set_content("{\"error\": \"unknown control address\"}\n",
                         "application/json; charset=UTF-8");
  }
}

std::string CSandboxService::StepOf(ServiceRole role, const httplib::Request& request) const {
  const std::string& path = request.path;
  const bool post = request.method == "POST";
  switch (role) {
    case ServiceRole::Update:
      return "update";
    case ServiceRole::Help:
      return "help";
    case ServiceRole::Listing:
      return "category_page";
    case ServiceRole::Image:
      return "image";
    case ServiceRole::Login:
      if (path == "/config/login" || path == "/config/login_verify2") {
        return post ? "login_post" : "login";
      }
      if (path == "/config/login_verify") return "login";
      return path.starts_with("/logincushion/") ? "cushion" : "other";
    case ServiceRole::Protect:
      return "protect";
    case ServiceRole::Contact:
      return path == "/setting/user/initialedit" ? "seller_info" : "other";
    case ServiceRole::Announcement:
      return path == "/trs/announcement.html" ? "announcement" : "other";
    case ServiceRole::Main:
    case ServiceRole::Sell:
      break;
  }
  if (path == "/sell/jp/show/submit") {
    if (!post) return request.get_param_value("select") == "old" ? "classic" : "landing";
    return request.body.find("imgreturn=") != std::string::npos ? "photo_return" : "category";
  }
  if (path == "/sell/f/imgup/" && post) return "photo_open";
  if (path == "/sell/f/imgup/upload" && post) return "photo_upload";
  if (path == "/sell/f/imgup/done" && post) return "photo_done";
  if (path == "/sell/jp/show/preview" && post) return "preview";
  if (path == "/sell/jp/config/submit" && post) return "submit";
  if (path == "/jp/show/entry_navi") return "no_right";
  if (path == "/topic/notice/") return "notice";
  return "other";
}

CSandboxService::Reply CSandboxService::Dispatch(const std::string& step, ServiceRole role,
                                                 const httplib::Request& request) {
  if (step == "update") {
    return Reply::Html(pages_.UpdateReply(scenario_.updateReply, scenario_.findType));
  }
  if (step == "landing") return Landing(request);
  if (step == "classic") return Classic(request);
  if (step == "category" || step == "photo_return") return SellSubmitPost(request, step);
  if (step == "photo_open") return PhotoOpen(request);
  if (step == "photo_upload") return PhotoUpload(request);
  if (step == "photo_done") return PhotoDone(request);
  if (step == "preview") return Preview(request);
  if (step == "submit") return Submit(request);
  if (step == "login") return LoginPage(request, request.path != "/config/login");
  if (step == "login_post") return LoginPost(request, request.path != "/config/login");
  if (step == "image") return Image(request);
  if (step == "no_right") return Reply::Html(pages_.NoRight());
  if (step == "seller_info") return Reply::Html(pages_.SellerInfo());
  if (step == "announcement") return Reply::Html(pages_.Announcement());
  // The program's help pages, so that a message's help link leads somewhere in a sandbox session.
  if (step == "help" && request.path == "/faq/faq_nuvo_submit_error.htm") {
    const std::string body =
        "<h2 id=\"NO_RIGHT_TO_SUBMIT\">"
        "使用しているYahoo! JAPAN IDは出品する権限を持っていますか？</h2>\n"
        "<p>出品に必要な利用登録を済ませたIDでログインしてください。</p>";
    return Reply::Html(pages_.Page("出品時のエラー - ぬぼ", body));
  }
  if (step == "notice") return Reply::Html(pages_.NoticeTop());
  if (step == "cushion" || step == "protect") {
    const std::string done = request.get_param_value(".done");
    return Reply::Html(step == "cushion" ? pages_.Cushion(done) : pages_.Protect(done));
  }
  if (step == "category_page") {
    std::uint64_t id = 0;
    const std::string& path = request.path;
    bool known = path.starts_with("/jp/") && path.ends_with("-submit.html");
    if (known) {
      const std::string number = path.substr(4, path.size() - 4 - 12);
      known = IsNumberIn(number, 0, 9999999999LL);
      if (known) id = std::stoull(number);
    }
    if (std::optional<std::string> body = known ? categories_.Page(id) : std::nullopt) {
      return Reply::Html(pages_.Page("カテゴリ選択 - ヤフオク!", *body));
    }
  }
  (void)role;
  return Reply::Html(pages_.Error("ページが見つかりません。"), 404);
}

void CSandboxService::Send(const Reply& reply, httplib::Response& response) const {
  response.status = reply.status;
  if (!reply.cookie.empty()) {
    response.set_header("Set-Cookie", kSessionCookie + "=" + reply.cookie + "; Path=/; HttpOnly");
  }
  if (!reply.location.empty()) {
    if (response.status == 200) response.status = 302;
    response.set_header("Location", reply.location);
    response.set_content(Encode(pages_.Redirecting(reply.location)),
                         "text/html; charset=" + charset_.label);
    return;
  }
  if (!reply.contentType.empty()) {
    response.set_content(reply.page, reply.contentType);
  } else {
    response.set_content(Encode(reply.page), "text/html; charset=" + charset_.label);
  }
}

CSandboxService::Reply CSandboxService::Refuse(const std::string& step, const std::string& reason) {
  deviations_.push_back({step, reason});
  return Reply::Html(pages_.Error("リクエストを受け付けられませんでした（" + reason + "）。"));
}

std::optional<Fields> CSandboxService::PostedFields(const httplib::Request& request,
                                                    const std::string& step, Reply& refusal) {
  if (!request.get_header_value("Content-Type").starts_with("application/x-www-form-urlencoded")) {
    refusal = Refuse(step, "the form is not sent as application/x-www-form-urlencoded");
    return std::nullopt;
  }
  std::string why;
  std::optional<Fields> raw = ParseFormBody(request.body, why);
  if (!raw) {
    refusal = Refuse(step, why);
    return std::nullopt;
  }
  Fields fields;
  for (auto& [name, value] : *raw) {
    std::optional<std::string> text = ConvertCharset(value, charset_.icuName.c_str(), kUtf8);
    if (!text) {
      refusal =
          Refuse(step, "field \"" + name + "\" is not in the page's charset " + charset_.label);
      return std::nullopt;
    }
    fields.emplace_back(name, std::move(*text));
  }
  if (Has(fields, "encode") && Field(fields, "encode") != kCharsetProof) {
    refusal =
        Refuse(step, "field \"encode\" did not come back in the page's charset " + charset_.label);
    return std::nullopt;
  }
  return fields;
}

CSandboxService::Session* CSandboxService::SessionOf(const httplib::Request& request) {
  auto it = sessions_.find(CookieValue(request, kSessionCookie));
  return it == sessions_.end() ? nullptr : &it->second;
}

CSandboxService::Draft* CSandboxService::DraftByCrumb(const std::string& crumb) {
  for (auto& [id, draft] : drafts_) {
    if (!crumb.empty() && draft.crumb == crumb) return &draft;
  }
  return nullptr;
}

CSandboxService::Draft* CSandboxService::DraftById(const std::string& id) {
  auto it = drafts_.find(id);
  return it == drafts_.end() ? nullptr : &it->second;
}

std::vector<PhotoView> CSandboxService::PhotoViews(const Draft& draft) const {
  std::vector<PhotoView> views;
  for (const auto& photo : draft.photos) {
    if (!photo) continue;
    views.push_back({photo->number,
                     pages_.Url(ServiceRole::Image) + "/img/" + draft.id + "/" +
                         std::to_string(photo->number) +
                         (photo->contentType == "image/gif" ? ".gif" : ".jpg"),
                     photo->width, photo->height});
  }
  return views;
}

std::string CSandboxService::LoginUrl(bool reverify) const {
  const std::string done = pages_.Url(ServiceRole::Main) + "/topic/notice/";
  return pages_.Url(ServiceRole::Login) + (reverify ? "/config/login_verify" : "/config/login") +
         "?.src=auc&lg=jp&auth_lv=pw&.intl=jp&.done=" + UrlEncode(done);
}

CSandboxService::Reply CSandboxService::Landing(const httplib::Request& request) {
  Session* session = SessionOf(request);
  if (scenario_.loginRequired && !session) return Reply::Redirect(LoginUrl(false));
  const std::string& diversion = scenario_.diversion;
  if (diversion == "reverify" && (!session || !session->reverified)) {
    return Reply::Redirect(LoginUrl(true));
  }
  if (diversion == "no_right")
    return Reply::Redirect(pages_.Url(ServiceRole::Sell) + "/jp/show/entry_navi");
  if (diversion == "seller_info") {
    return Reply::Redirect(pages_.Url(ServiceRole::Contact) + "/setting/user/initialedit");
  }
  if (diversion == "free_member") {
    if (request.get_param_value("select") != "non_premium") {
      return Reply::Redirect(pages_.Url(ServiceRole::Sell) +
                             "/sell/jp/show/submit?category=0&select=non_premium");
    }
    return Reply::Html(pages_.FreeMember());
  }
  return Reply::Html(pages_.Landing(scenario_.notice));
}

CSandboxService::Reply CSandboxService::Classic(const httplib::Request& request) {
  if (scenario_.loginRequired && !SessionOf(request)) return Reply::Redirect(LoginUrl(false));
  Draft draft;
  draft.id = NewToken();
  draft.crumb = NewToken();
  const bool normalListing = request.get_param_value("fnavi") == "0";
  Reply reply = Reply::Html(pages_.CategorySelect(draft.crumb, normalListing));
  drafts_[draft.id] = std::move(draft);
  return reply;
}

CSandboxService::Reply CSandboxService::SellSubmitPost(const httplib::Request& request,
                                                       const std::string& step) {
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, step, refusal);
  if (!fields) return refusal;
  Draft* draft = DraftByCrumb(Field(*fields, ".crumb"));
  if (!draft) return Refuse(step, "hidden token \".crumb\" is missing or was changed");
  if (step == "category") {
    const std::string category = Field(*fields, "category");
    if (!IsNumberIn(category, 1, 9999999999LL)) {
      return Refuse(step, "field \"category\" is not a category number");
    }
    draft->category = static_cast<int>(std::stoll(category) % 2147483648LL);
  } else if (Field(*fields, "draft") != draft->id) {
    return Refuse(step, "hidden field \"draft\" was changed");
  }
  Session* session = SessionOf(request);
  return Reply::Html(pages_.SellForm(
      draft->crumb, draft->id, draft->category, session ? session->login : "sandbox_seller",
      scenario_.easyTrade, scenario_.notice, PhotoViews(*draft), {}, {}));
}

CSandboxService::Reply CSandboxService::PhotoOpen(const httplib::Request& request) {
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, "photo_open", refusal);
  if (!fields) return refusal;
  Draft* draft = DraftByCrumb(Field(*fields, ".crumb"));
  if (!draft) return Refuse("photo_open", "hidden token \".crumb\" is missing or was changed");
  return Reply::Html(pages_.PhotoPage(draft->id, PhotoViews(*draft)));
}

CSandboxService::Reply CSandboxService::PhotoUpload(const httplib::Request& request) {
  const std::string step = "photo_upload";
  if (!request.is_multipart_form_data()) {
    return Refuse(step, "the photos are not sent as multipart/form-data");
  }
  Draft* draft = nullptr;
  if (auto it = request.files.find("thumbnailid"); it != request.files.end()) {
    draft = DraftById(it->second.content);
  }
  if (!draft) return Refuse(step, "hidden field \"thumbnailid\" is missing or was changed");
  std::vector<Photo> received;
  for (const auto& [name, part] : request.files) {
    if (!name.starts_with("ImageFile")) {
      if (!part.filename.empty()) return Refuse(step, "file part \"" + name + "\" is unknown");
      continue;
    }
    const std::string number = name.substr(9);
    if (!IsNumberIn(number, 1, 10) || number.front() == '0') {
      return Refuse(step, "file part \"" + name + "\" is not ImageFile1 to ImageFile10");
    }
    if (part.filename.empty()) {
      if (!part.content.empty()) return Refuse(step, "file part \"" + name + "\" has no file name");
      continue;
    }
    if (part.content_type != "image/jpeg" && part.content_type != "image/gif") {
      return Refuse(step,
                    "file part \"" + name + "\" has content type \"" + part.content_type + "\"");
    }
    std::string why;
    std::optional<ImageInfo> info = InspectImage(part.content, why);
    if (!info) return Refuse(step, "file part \"" + name + "\": " + why);
    if (info->contentType != part.content_type) {
      return Refuse(step, "file part \"" + name + "\" is " + info->contentType + " sent as " +
                              part.content_type);
    }
    const std::string extension = info->contentType == "image/gif" ? ".gif" : ".jpg";
    if (!part.filename.ends_with(extension)) {
      return Refuse(step, "file name \"" + part.filename + "\" does not end in " + extension);
    }
    received.push_back({std::stoi(number), part.filename, info->contentType, part.content,
                        info->width, info->height});
  }
  if (received.empty()) return Refuse(step, "the upload holds no photo");
  for (Photo& photo : received) {
    const int index = photo.number - 1;
    draft->photos[static_cast<std::size_t>(index)] = std::move(photo);
  }
  return Reply::Html(pages_.PhotoPage(draft->id, PhotoViews(*draft)));
}

CSandboxService::Reply CSandboxService::PhotoDone(const httplib::Request& request) {
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, "photo_done", refusal);
  if (!fields) return refusal;
  Draft* draft = DraftById(Field(*fields, "thumbnailid"));
  if (!draft) return Refuse("photo_done", "hidden field \"thumbnailid\" is missing or was changed");
  for (const PhotoView& view : PhotoViews(*draft)) {
    if (Field(*fields, "ImageFullPath" + std::to_string(view.number)) != view.url) {
      return Refuse("photo_done", "hidden field \"ImageFullPath" + std::to_string(view.number) +
                                      "\" was changed");
    }
  }
  return Reply::Html(
      pages_.PhotoReturn(draft->crumb, draft->id, draft->category, PhotoViews(*draft)));
}

CSandboxService::Reply CSandboxService::Preview(const httplib::Request& request) {
  const std::string step = "preview";
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, step, refusal);
  if (!fields) return refusal;
  Draft* draft = DraftByCrumb(Field(*fields, ".crumb"));
  if (!draft) return Refuse(step, "hidden token \".crumb\" is missing or was changed");
  if (Field(*fields, "draft") != draft->id ||
      Field(*fields, "category") != std::to_string(draft->category)) {
    return Refuse(step, "hidden field \"draft\" or \"category\" was changed");
  }
  if (!Has(*fields, "encode")) return Refuse(step, "hidden field \"encode\" is missing");
  if (Field(*fields, "tos") != "yes") return Refuse(step, "field \"tos\" is not \"yes\"");
  for (const PhotoView& view : PhotoViews(*draft)) {
    if (Field(*fields, "ImageFullPath" + std::to_string(view.number)) != view.url) {
      return Refuse(step, "photo field \"ImageFullPath" + std::to_string(view.number) +
                              "\" was lost or changed");
    }
  }

  // What a seller can get wrong is answered with the form and its error points.
  std::vector<FieldError> errors;
  auto flag = [&](std::string_view name, bool wrong) {
    if (wrong) errors.push_back({std::string(name), {}});
  };
  const std::string title = Field(*fields, "Title");
  flag("Title", title.empty() || Utf8Length(title) > kMaxTitleCharacters);
  flag("Description", Field(*fields, "Description").empty());
  const std::string salesmode = Field(*fields, "salesmode");
  flag("salesmode", !salesmode.empty() && salesmode != "auction" && salesmode != "buynow" &&
                        salesmode != "offer");
  const std::string start = Field(*fields, "StartPrice");
  const std::string buyNow = Field(*fields, "BidOrBuyPrice");
  flag("StartPrice", !IsNumberIn(start, 1, 999999999));
  flag("BidOrBuyPrice", (!buyNow.empty() && (!IsNumberIn(buyNow, 1, 999999999) ||
                                             (IsNumberIn(start, 1, 999999999) &&
                                              std::stoll(buyNow) < std::stoll(start)))) ||
                            (salesmode == "buynow" && buyNow.empty()));
  flag("Quantity", !IsNumberIn(Field(*fields, "Quantity"), 1, 9));
  flag("Duration", !IsNumberIn(Field(*fields, "Duration"), 1, 7));
  flag("ClosingTime",
       Has(*fields, "ClosingTime") && !IsNumberIn(Field(*fields, "ClosingTime"), 0, 23));
  const std::string shipping = Field(*fields, "shipping");
  flag("shipping", shipping != "seller" && shipping != "buyer");
  const std::string istatus = Field(*fields, "istatus");
  static const std::vector<std::string> conditions = {"used",   "new",    "other",  "used10",
                                                      "used20", "used40", "used60", "used80"};
  flag("istatus", !istatus.empty() &&
                      std::find(conditions.begin(), conditions.end(), istatus) == conditions.end());
  for (const std::string& forced : scenario_.formErrors) flag(forced, true);
  scenario_.formErrors.clear();
  if (!errors.empty()) {
    std::string names;
    for (const FieldError& error : errors) names += (names.empty() ? "" : ",") + error.field;
    deviations_.push_back({step, "the sell form was returned with errors: " + names});
    Session* session = SessionOf(request);
    return Reply::Html(pages_.SellForm(
        draft->crumb, draft->id, draft->category, session ? session->login : "sandbox_seller",
        scenario_.easyTrade, {}, PhotoViews(*draft), *fields, errors));
  }
  const std::string token = NewToken();
  confirmations_[token] = Confirmation{draft->id, *fields};
  return Reply::Html(pages_.Confirmation(token, *fields, PhotoViews(*draft)));
}

CSandboxService::Reply CSandboxService::Submit(const httplib::Request& request) {
  const std::string step = "submit";
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, step, refusal);
  if (!fields) return refusal;
  auto it = confirmations_.find(Field(*fields, ".crumb"));
  if (it == confirmations_.end()) {
    return Refuse(step, "confirmation token \".crumb\" is unknown");
  }
  Confirmation& confirmation = it->second;
  if (confirmation.used) return Refuse(step, "confirmation token \".crumb\" was used before");
  confirmation.used = true;
  for (const auto& [name, value] : confirmation.fields) {
    if (name != ".crumb" && Field(*fields, name) != value) {
      return Refuse(step, "field \"" + name + "\" differs from the confirmed listing");
    }
  }
  Draft* draft = DraftById(confirmation.draftId);
  if (!draft) return Refuse(step, "the listing's draft is gone");
  if (scenario_.outcome == "refused") {
    return Reply::Redirect(pages_.Url(ServiceRole::Announcement) + "/trs/announcement.html");
  }
  if (scenario_.outcome == "failed") {
    return Reply::Html(pages_.Error("システムエラーが発生しました。出品は完了していません。"));
  }
  Listing listing;
  char id[16];
  std::snprintf(id, sizeof id, "s%010llu", static_cast<unsigned long long>(++nextAuction_));
  listing.auctionId = id;
  Session* session = SessionOf(request);
  listing.seller = session ? session->login : "sandbox_seller";
  listing.fields = confirmation.fields;
  for (const auto& photo : draft->photos) {
    if (photo) listing.photos.push_back(*photo);
  }
  const std::string title = Field(listing.fields, "Title");
  listings_.push_back(std::move(listing));
  drafts_.erase(confirmation.draftId);
  return Reply::Html(pages_.Completion(id, title));
}

CSandboxService::Reply CSandboxService::LoginPage(const httplib::Request& request, bool reverify) {
  std::string done = request.get_param_value(".done");
  if (done.empty()) done = pages_.Url(ServiceRole::Main) + "/topic/notice/";
  return Reply::Html(pages_.LoginForm(done, reverify, {}));
}

CSandboxService::Reply CSandboxService::LoginPost(const httplib::Request& request, bool reverify) {
  Reply refusal;
  std::optional<Fields> fields = PostedFields(request, "login_post", refusal);
  if (!fields) return refusal;
  std::string done = Field(*fields, ".done");
  if (done.empty()) done = pages_.Url(ServiceRole::Main) + "/topic/notice/";
  std::string login = Field(*fields, "login");
  Session* session = SessionOf(request);
  if (reverify && session) login = login.empty() ? session->login : login;
  const bool captchaAnswered = Has(*fields, "captcha");
  if (captchaAnswered && Field(*fields, "captcha").empty()) {
    return Reply::Html(pages_.Captcha(done, login));
  }
  if (!captchaAnswered && (login.empty() || Field(*fields, "passwd").empty())) {
    return Reply::Html(pages_.LoginForm(done, reverify, "IDとパスワードを入力してください。"));
  }
  if (!captchaAnswered && !reverify && scenario_.loginKind == "captcha") {
    return Reply::Html(pages_.Captcha(done, login));
  }
  Reply reply;
  std::string id = CookieValue(request, kSessionCookie);
  if (!session) {
    id = NewToken();
    reply.cookie = id;
  }
  Session& stored = sessions_[id];
  stored.login = login;
  stored.reverified = stored.reverified || reverify;
  if (scenario_.loginKind == "cushion") {
    reply.location = pages_.Url(ServiceRole::Login) + "/logincushion/?.done=" + UrlEncode(done);
  } else if (scenario_.loginKind == "protect") {
    reply.location = pages_.Url(ServiceRole::Protect) + "/notice?.done=" + UrlEncode(done);
  } else {
    reply.location = done;
  }
  reply.status = 302;
  return reply;
}

CSandboxService::Reply CSandboxService::Image(const httplib::Request& request) {
  // "/img/<draft>/<number>.<ext>"; the photos of accepted listings stay reachable.
  const std::string& path = request.path;
  std::size_t slash = path.rfind('/');
  if (!path.starts_with("/img/") || slash < 5)
    return Reply::Html(pages_.Error("画像がありません。"), 404);
  const std::string draftId = path.substr(5, slash - 5);
  const int number = std::atoi(path.c_str() + slash + 1);
  const Photo* found = nullptr;
  if (Draft* draft = DraftById(draftId); draft && number >= 1 && number <= 10) {
    if (const auto& photo = draft->photos[static_cast<std::size_t>(number - 1)]) found = &*photo;
  }
  if (!found) return Reply::Html(pages_.Error("画像がありません。"), 404);
  Reply reply = Reply::Html(found->bytes);
  reply.contentType = found->contentType;
  return reply;
}

std::string CSandboxService::ListingsJson() const {
  CJsonWriter json;
  json.BeginObject().Key("listings").BeginArray();
  for (const Listing& listing : listings_) {
    json.BeginObject();
    json.Key("auction_id").String(listing.auctionId);
    json.Key("seller").String(listing.seller);
    json.Key("title").String(Field(listing.fields, "Title"));
    json.Key("description").String(Field(listing.fields, "Description"));
    json.Key("category").String(Field(listing.fields, "category"));
    json.Key("fields").BeginObject();
    for (const auto& [name, value] : listing.fields) json.Key(name).String(value);
    json.EndObject();
    json.Key("photos").BeginArray();
    for (const Photo& photo : listing.photos) {
      json.BeginObject();
      json.Key("number").Number(photo.number);
      json.Key("file_name").String(photo.fileName);
      json.Key("content_type").String(photo.contentType);
      json.Key("size").Number(static_cast<long long>(photo.bytes.size()));
      json.Key("width").Number(photo.width);
      json.Key("height").Number(photo.height);
      json.Key("sha256").String(Sha256Hex(photo.bytes));
      json.EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().Key("deviations").BeginArray();
  for (const Deviation& deviation : deviations_) {
    json.BeginObject().Key("step").String(deviation.step);
    json.Key("reason").String(deviation.reason).EndObject();
  }
  json.EndArray().EndObject();
  return json.Text();
}

std::string CSandboxService::RequestsJson() const {
  CJsonWriter json;
  json.BeginObject().Key("requests").BeginArray();
  for (const RequestRecord& record : requests_) {
    json.BeginObject();
    json.Key("role").String(record.role);
    json.Key("method").String(record.method);
    json.Key("path").String(record.path);
    json.Key("query").String(record.query);
    json.Key("content_type").String(record.contentType);
    json.Key("body_bytes").Number(static_cast<long long>(record.bodyBytes));
    json.Key("step").String(record.step);
    json.Key("status").Number(record.status);
    json.Key("fault").String(record.fault);
    json.EndObject();
  }
  json.EndArray().EndObject();
  return json.Text();
}

}  // namespace nuvo::sandbox

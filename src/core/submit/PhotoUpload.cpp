#include "core/submit/PhotoUpload.h"

#include <random>

#include "core/common/AsciiCase.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/net/PageFormData.h"
#include "core/submit/ServiceUrls.h"

namespace nuvo {

namespace {

// The fields of the photo form that go back with every upload, in the order the service lists
// them.
std::shared_ptr<const CFormFields> PhotoFormFields() {
  static const auto fields = [] {
    std::vector<std::string> names;
    for (int n = 1; n <= 10; ++n) {
      const std::string number = std::to_string(n);
      for (const char* stem :
           {"ImageViewServer", "Image", "ImageFullPath", "ImageHeight", "ImageWidth"})
        names.push_back(stem + number);
    }
    for (const char* name : {"thumbNail", "thumbnailid", "thumbnailwidth", "ImageDelNo"})
      names.emplace_back(name);
    return std::make_shared<const CFormFields>(std::move(names));
  }();
  return fields;
}

// The photo form's own fields only, with the values the page gives them.
CFormData PhotoFields(const CSubmitSession& session, const CHtmlNode* form) {
  const CFormData collected = session.Collect(form);
  CFormData fields(PhotoFormFields(), collected.Encoding());
  for (const auto& [name, value] : collected.ExtraFields()) {
    const int index = fields.Fields().IndexOf(name);
    if (index >= 0) fields.SetValue(static_cast<std::size_t>(index), value);
  }
  return fields;
}

// The photo button inside `area`, looking into conditional comments too: the service hides the
// button from some browsers that way.
const CHtmlNode* FindPhotoButton(const CHtmlSubDocument& area, CHtmlDocument& commentPage) {
  for (const char* id : {"acMdBtnImageUp", "ImageUp"})
    if (const CHtmlNode* button = area.Find({"input", "id", id})) return button;
  std::vector<const CHtmlNode*> pending{area.GetTop()};
  while (!pending.empty()) {
    const CHtmlNode* node = pending.back();
    pending.pop_back();
    if (!node) continue;
    if (node->GetKind() == CHtmlNode::Kind::Comment) {
      commentPage.Load(node->GetText());
      for (const char* id : {"acMdBtnImageUp", "ImageUp"})
        if (const CHtmlNode* button = commentPage.Find({"input", "id", id})) return button;
    }
    for (const auto& child : node->GetChildren()) pending.push_back(child.get());
  }
  return nullptr;
}

std::string AddressIn(const std::string& text) {
  std::size_t start = text.find("http://");
  const std::size_t secure = text.find("https://");
  if (secure < start) start = secure;
  if (start == std::string::npos) return {};
  const std::size_t end = text.find_first_of("'\" );", start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

bool IsGifName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  return dot != std::string::npos && EqualsIgnoreCase(std::string_view(name).substr(dot), ".gif");
}

CPhotoUpload::CPhotoUpload(CSubmitSession& session, ISubmitHost& host,
                           const CServiceProfile& profile)
    : session_(session), host_(host), profile_(profile) {
  std::random_device device;
  std::mt19937 random(device());
  for (int i = 0; i < 7; ++i) letters_ += static_cast<char>('a' + random() % 26);
}

bool CPhotoUpload::SendTogether(const std::vector<SubmitPhoto>& photos, bool option,
                                std::int64_t limit) {
  if (!option || limit <= 0) return false;
  std::int64_t total = 0;
  for (const SubmitPhoto& photo : photos) total += static_cast<std::int64_t>(photo.bytes.size());
  return total <= limit;
}

std::string CPhotoUpload::FileName(const SubmitPhoto& photo, int number) const {
  return "c:\\" + letters_ + std::to_string(number) + (IsGifName(photo.name) ? ".gif" : ".jpg");
}

SubmitMessage CPhotoUpload::PageMessage(int id, std::int64_t number) const {
  return {id, FormatMessageId(id, {number}), session_.CurrentUrl(), session_.CurrentUrl()};
}

StepResult CPhotoUpload::ParameterMissing(const char* name) const {
  return StepResult::Fail({IDS_PARAMETER_MISSING,
                           FormatMessageId(IDS_PARAMETER_MISSING, {std::string(name)}),
                           session_.CurrentUrl(), session_.CurrentUrl()});
}

StepResult CPhotoUpload::OpenPhotoPage(const CHtmlNode* sellForm) {
  host_.SetStatus(LoadString(IDS_STATUS_OPENING_PHOTO_PAGE));
  std::string address;
  if (const CHtmlNode* block = session_.Page().Find({"div", "id", "auc_img_block"})) {
    CHtmlDocument commentPage;
    if (const CHtmlNode* button = FindPhotoButton(CHtmlSubDocument(block), commentPage)) {
      std::string onclick;
      button->GetAttribute("onclick", onclick);
      address = AddressIn(onclick);
    }
  }
  if (address.empty()) address = ServiceUrl(profile_, ServiceRole::Sell, "/sell/f/imgup/");
  const CFormData form = session_.Collect(sellForm);
  return session_.Post(address, form) ? StepResult::Done() : StepResult::Quiet();
}

StepResult CPhotoUpload::Upload(const std::vector<SubmitPhoto>& photos, int index) {
  if (photos.empty()) return StepResult::Done();
  if (index != kAllPhotos && (index < 0 || index >= static_cast<int>(photos.size())))
    return StepResult::Quiet();
  if (photos.size() == 1)
    host_.SetStatus(LoadString(IDS_STATUS_UPLOADING_PHOTO));
  else if (index == kAllPhotos)
    host_.SetStatus(LoadString(IDS_STATUS_UPLOADING_ALL_PHOTOS));
  else
    host_.SetStatus(FormatMessageId(IDS_STATUS_UPLOADING_PHOTO_N, {std::int64_t{index + 1}}));

  const CHtmlNode* area = session_.Page().Find({"div", "id", "modImgUpld"});
  const CHtmlNode* form = area ? CHtmlSubDocument(area).Find({"form"}) : nullptr;
  if (!form) return StepResult::Fail(PageMessage(IDS_PHOTO_FORM_MISSING));
  const std::string action = session_.ActionOf(form);
  if (action.empty()) return ParameterMissing("action");

  CFormData fields = PhotoFields(session_, form);
  const int first = index == kAllPhotos ? 0 : index;
  const int last = index == kAllPhotos ? static_cast<int>(photos.size()) - 1 : index;
  // The text of the body is written first, whole, and the photos are lent between its parts:
  // the body that goes out is the text up to each photo, the photo's own bytes, and so on.
  std::string text = fields.BuildMultipart(kMultipartOpen);
  const std::string delimiter = "--" + fields.Boundary() + "\r\n";
  std::vector<std::size_t> photoAt;
  for (int i = first; i <= last; ++i) {
    const SubmitPhoto& photo = photos[i];
    if (i != first) text += "\r\n";
    text += delimiter;
    text += "Content-Disposition: form-data; name=\"ImageFile" + std::to_string(i + 1) +
            "\"; filename=\"" + FileName(photo, i + 1) + "\"\r\n";
    text += IsGifName(photo.name) ? "Content-Type: image/gif\r\n\r\n"
                                  : "Content-Type: image/jpeg\r\n\r\n";
    photoAt.push_back(text.size());
  }
  text += "\r\n--" + fields.Boundary() + "--\r\n";

  HttpBody body;
  std::size_t written = 0;
  for (int i = first; i <= last; ++i) {
    const std::size_t at = photoAt[static_cast<std::size_t>(i - first)];
    body.Append(std::string_view(text).substr(written, at - written));
    const std::vector<std::uint8_t>& bytes = photos[i].bytes;
    body.Append(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    written = at;
  }
  body.Append(std::string_view(text).substr(written));
  return session_.PostMultipart(action, body, fields.GetMultipartContentType())
             ? StepResult::Done()
             : StepResult::Quiet();
}

StepResult CPhotoUpload::ReturnToSellForm() {
  host_.SetStatus(LoadString(IDS_STATUS_FINISHING_UPLOAD));
  const CHtmlNode* area = session_.Page().Find({"div", "id", "modImgPrvw"});
  const CHtmlNode* form = area ? CHtmlSubDocument(area).Find({"form"}) : nullptr;
  if (!form) return StepResult::Fail(PageMessage(IDS_PHOTO_RETURN_FORM_MISSING, 1));
  const std::string action = session_.ActionOf(form);
  if (action.empty()) return ParameterMissing("action");
  if (!session_.Post(action, PhotoFields(session_, form))) return StepResult::Quiet();

  const CHtmlNode* sellForm = nullptr;
  for (const CHtmlNode* candidate : session_.Page().FindAll({"form", "action"})) {
    if (IsServicePage(session_.ActionOf(candidate), profile_, ServiceRole::Sell,
                      "/sell/jp/show/submit")) {
      sellForm = candidate;
      break;
    }
  }
  if (!sellForm) return StepResult::Fail(PageMessage(IDS_PHOTO_RETURN_FORM_MISSING, 2));
  const std::string sellAction = session_.ActionOf(sellForm);
  return session_.Post(sellAction, session_.Collect(sellForm)) ? StepResult::Done()
                                                               : StepResult::Quiet();
}

}  // namespace nuvo

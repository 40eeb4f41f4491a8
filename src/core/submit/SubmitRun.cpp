#include "core/submit/SubmitRun.h"

#include <optional>

#include "core/common/AsciiCase.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/html/HtmlEscape.h"
#include "core/html/UrlCoding.h"
#include "core/net/ServerReply.h"
#include "core/submit/BankChoice.h"
#include "core/submit/SellPageReader.h"
#include "core/submit/ServiceUrls.h"

namespace nuvo {

namespace {

constexpr std::string_view kSellerIdPlaceholder = "!zs_dynamic!yahoo_japan_id";

// Shows the HTTP client's failures without offering to try again: the final post must never be
// sent twice.
class CNoRetryPrompt : public IUserPrompt {
 public:
  explicit CNoRetryPrompt(IUserPrompt& inner) : inner_(inner) {}
  PromptAnswer Ask(const PromptRequest& request) override {
    if (request.buttons != PromptButtons::RetryCancel) return inner_.Ask(request);
    PromptRequest shown = request;
    shown.buttons = PromptButtons::Ok;
    shown.defaultButton = 0;
    inner_.Ask(shown);
    return PromptAnswer::Cancel;
  }

 private:
  IUserPrompt& inner_;
};

std::string Trimmed(std::string text) {
  constexpr std::string_view spaces = " \t\r\n";
  const std::size_t first = text.find_first_not_of(spaces);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

const CHtmlNode* FindNamed(const CHtmlSubDocument& page, std::string_view tag,
                           std::string_view name) {
  if (const CHtmlNode* node = page.Find({tag, "name", name})) return node;
  return page.Find({tag, "id", name});
}

// The anchor that leads to the classic sell form: its address asks for "select=old".
const CHtmlNode* ClassicLink(const CHtmlSubDocument& area) {
  for (const CHtmlNode* anchor : area.FindAll({"a", "href"})) {
    std::string select;
    if (QueryParameter(*anchor->FindAttribute("href"), "select", select) &&
        EqualsIgnoreCase(select, "old"))
      return anchor;
  }
  return nullptr;
}

}  // namespace

std::string_view OutcomeName(SubmitOutcome outcome) {
  switch (outcome) {
    case SubmitOutcome::Completed:
      return "completed";
    case SubmitOutcome::Confirmed:
      return "confirmed";
    case SubmitOutcome::Cancelled:
      return "cancelled";
    case SubmitOutcome::LoginRequired:
      return "login-required";
    case SubmitOutcome::Failed:
      break;
  }
  return "failed";
}

std::string_view StepName(SubmitStep step) {
  static constexpr std::string_view names[] = {
      "preparation", "first-page", "classic-form", "category",   "page-analysis", "sell-form",
      "photos",      "fill",       "confirmation", "final-post", "finished"};
  return names[static_cast<int>(step)];
}

CSubmitRun::CSubmitRun(IHttpTransport& transport, ISubmitHost& host, const CServiceProfile& profile,
                       const CSubmitSettings& settings, SubmitListing listing,
                       SubmitRunOptions options)
    : session_(transport, host),
      host_(host),
      profile_(profile),
      settings_(settings),
      listing_(std::move(listing)),
      options_(options),
      sellerId_(options_.sellerId) {}

void CSubmitRun::Cancel() {
  cancelled_ = true;
  session_.Client().Cancel();
}

SubmitOutcome CSubmitRun::Run() {
  if (started_) return outcome_;
  started_ = true;
  UpdateCaption();
  host_.SetStatus(LoadString(IDS_STATUS_SUBMITTING_AUCTION));
  Next next = Go(SubmitStep::Preparation);
  while (next.step != SubmitStep::Finished) {
    if (cancelled_) {
      next = Cancelled();
      break;
    }
    steps_.push_back(next.step);
    switch (next.step) {
      case SubmitStep::Preparation:
        next = Prepare();
        break;
      case SubmitStep::FirstPage:
        next = OpenFirstPage();
        break;
      case SubmitStep::ClassicForm:
        next = OpenClassicForm();
        break;
      case SubmitStep::Category:
        next = PostCategory();
        break;
      case SubmitStep::PageAnalysis:
        next = AnalysePage();
        break;
      case SubmitStep::SellForm:
        next = CheckSellForm();
        break;
      case SubmitStep::Photos:
        next = SendPhotos();
        break;
      case SubmitStep::Fill:
        next = FillForm();
        break;
      case SubmitStep::Confirmation:
        next = Confirm();
        break;
      case SubmitStep::FinalPost:
        next = PostFinal();
        break;
      case SubmitStep::Finished:
        break;
    }
  }
  outcome_ = next.outcome;
  return outcome_;
}

CSubmitRun::Next CSubmitRun::Stop(SubmitMessage message) {
  message_ = message.text;
  host_.ShowSubmitMessage(message);
  return End(SubmitOutcome::Failed);
}

CSubmitRun::Next CSubmitRun::Stop(int id, std::initializer_list<MessageArg> args, bool withLink) {
  SubmitMessage message{id, FormatMessageId(id, args)};
  if (withLink) message.linkUrl = message.linkCaption = session_.CurrentUrl();
  return Stop(std::move(message));
}

CSubmitRun::Next CSubmitRun::Cancelled() {
  message_ = LoadString(IDS_SUBMIT_CANCELLED);
  host_.ShowSubmitMessage({IDS_SUBMIT_CANCELLED, message_, {}, {}, PromptIcon::Information});
  return End(SubmitOutcome::Cancelled);
}

CSubmitRun::Next CSubmitRun::Quiet(SubmitOutcome outcome) {
  if (cancelled_ || session_.Client().IsCancelled()) return Cancelled();
  return End(outcome);
}

bool CSubmitRun::Landed(bool ok, Next& stop) {
  if (!ok) {
    stop = Quiet();
    return false;
  }
  const std::string& url = session_.CurrentUrl();
  if (IsServicePage(url, profile_, ServiceRole::Sell, "/jp/show/entry_navi")) {
    SubmitMessage message =
        sellerId_.empty()
            ? SubmitMessage{IDS_NO_RIGHT_TO_SELL_NO_ID, LoadString(IDS_NO_RIGHT_TO_SELL_NO_ID)}
            : SubmitMessage{IDS_NO_RIGHT_TO_SELL,
                            FormatMessageId(IDS_NO_RIGHT_TO_SELL, {sellerId_})};
    if (!profile_.BaseUrl(ServiceRole::Help).empty()) {
      message.linkUrl = ServiceUrl(profile_, ServiceRole::Help,
                                   "/faq/faq_nuvo_submit_error.htm#NO_RIGHT_TO_SUBMIT");
      message.linkCaption = LoadString(IDS_NO_RIGHT_FAQ_CAPTION);
    }
    stop = Stop(std::move(message));
    return false;
  }
  if (IsServicePage(url, profile_, ServiceRole::Contact, "/setting/user/initialedit")) {
    SubmitMessage message =
        sellerId_.empty() ? SubmitMessage{IDS_SELLER_INFO_MISSING_NO_ID,
                                          LoadString(IDS_SELLER_INFO_MISSING_NO_ID)}
                          : SubmitMessage{IDS_SELLER_INFO_MISSING,
                                          FormatMessageId(IDS_SELLER_INFO_MISSING, {sellerId_})};
    message.text += LoadString(IDS_SELLER_INFO_REDIRECT_NOTE);
    message.text +=
        LoadString(options_.easyTrade ? IDS_SELLER_INFO_NOTE_END : IDS_SELLER_INFO_NOTE_END_NORMAL);
    message.linkUrl = url;
    message.linkCaption = LoadString(IDS_SELLER_INFO_LINK_CAPTION);
    stop = Stop(std::move(message));
    return false;
  }
  const std::string loginHost = ServiceHost(profile_, ServiceRole::Login);
  if (!loginHost.empty() && AsciiLower(url).find("//" + loginHost) != std::string::npos) {
    LoginRequest request;
    request.doneUrl = ServiceUrl(profile_, ServiceRole::Main, "/topic/notice/");
    request.loginUrl = ServiceUrl(profile_, ServiceRole::Login,
                                  "/config/login?.src=auc&lg=jp&auth_lv=pw&.intl=jp&.done=") +
                       UrlEncode(request.doneUrl);
    request.reverify = IsServicePage(url, profile_, ServiceRole::Login, "/config/login_verify");
    const LoginResult login = host_.LogIn(request);
    loginAgain_ = login.loggedIn;
    if (!login.sellerId.empty()) sellerId_ = login.sellerId;
    stop = End(SubmitOutcome::LoginRequired);
    return false;
  }
  if (IsAccessRefused(url, profile_)) {
    stop = Stop(IDS_ACCESS_REFUSED);
    return false;
  }
  return true;
}

void CSubmitRun::UpdateCaption() {
  std::string text;
  if (options_.batchTotal > 0) {
    const std::int64_t index = options_.batchIndex;
    const std::int64_t total = options_.batchTotal;
    text = sellerId_.empty() ? FormatMessageId(IDS_CAPTION_BATCH, {index, total})
                             : FormatMessageId(IDS_CAPTION_BATCH_AS, {sellerId_, index, total});
  } else {
    text = sellerId_.empty() ? LoadString(IDS_CAPTION_SUBMITTING)
                             : FormatMessageId(IDS_CAPTION_SUBMITTING_AS, {sellerId_});
  }
  host_.SetCaption(FormatMessageId(IDS_CAPTION_WITH_MODE, {text, ModeName(options_.easyTrade)}));
}

std::string CSubmitRun::ModeName(bool easyTrade) const {
  return LoadString(easyTrade ? IDS_MODE_EASY_TRADE : IDS_MODE_NORMAL);
}

CSubmitRun::Next CSubmitRun::Prepare() {
  host_.SetStatus(LoadString(IDS_STATUS_PREPARING));
  if (profile_.BaseUrl(ServiceRole::Update).empty()) {
    // Without an update service to ask, the classic-form link is looked for everywhere.
    findType_ = "find_all";
    return Go(SubmitStep::FirstPage);
  }
  std::string query = "/nuvo/submit?purpose=submit";
  AppendVersionParameters(query, false);
  session_.Client().SetQuiet(true);
  const bool ok = session_.Navigate(ServiceUrl(profile_, ServiceRole::Update, query));
  session_.Client().SetQuiet(false);
  if (!ok) {
    if (cancelled_ || session_.Client().IsCancelled()) return Cancelled();
    return Stop(IDS_PREPARE_FAILED);
  }
  CServerReply reply;
  if (!reply.Parse(session_.Client().ResponseText())) return Stop(IDS_VERSION_INFO_FAILED);
  reply.GetValue("submit_select_old_find_type", findType_);
  return Go(SubmitStep::FirstPage);
}

CSubmitRun::Next CSubmitRun::OpenFirstPage() {
  host_.SetStatus(LoadString(IDS_STATUS_OPENING_SELL_PAGE));
  Next stop;
  if (!Landed(session_.Navigate(
                  ServiceUrl(profile_, ServiceRole::Sell, "/sell/jp/show/submit?category=0")),
              stop))
    return stop;
  std::string select;
  if (QueryParameter(session_.CurrentUrl(), "select", select) &&
      EqualsIgnoreCase(select, "non_premium")) {
    std::string text = LoadString(IDS_FREE_MEMBERSHIP);
    if (!sellerId_.empty()) text += FormatMessageId(IDS_FREE_MEMBERSHIP_ID, {sellerId_});
    return Stop({IDS_FREE_MEMBERSHIP, text});
  }
  return Go(SubmitStep::ClassicForm);
}

CSubmitRun::Next CSubmitRun::OpenClassicForm() {
  const CHtmlDocument& page = session_.Page();
  const CHtmlNode* link = nullptr;
  if (findType_ == "find_by_div" || findType_ == "find_all") {
    if (const CHtmlNode* area = page.Find({"div", "id", "old_warning"}))
      link = ClassicLink(CHtmlSubDocument(area));
  }
  if (!link && (findType_ == "find_by_link" || findType_ == "find_all")) link = ClassicLink(page);
  if (!link) {
    std::string text = LoadString(IDS_CLASSIC_LINK_MISSING);
    if (!FindSellForm()) {
      std::string head;
      if (page.FindText({"div", "class", "untHead", HtmlValueMatch::Contains}, head) &&
          !Trimmed(head).empty())
        text += "\r\n\r\n" + FormatMessageId(IDS_SERVER_MESSAGE, {Trimmed(head)});
      else
        text += LoadString(IDS_SYSTEM_ERROR_PAGE_NOTE);
    }
    return Stop({IDS_CLASSIC_LINK_MISSING, text, session_.CurrentUrl(), session_.CurrentUrl()});
  }
  std::string address = *link->FindAttribute("href");
  if (!options_.easyTrade)
    address += address.find('?') == std::string::npos ? "?fnavi=0" : "&fnavi=0";
  host_.SetStatus(LoadString(IDS_STATUS_OPENING_CLASSIC_FORM));
  Next stop;
  if (!Landed(session_.Navigate(address), stop)) return stop;
  return Go(SubmitStep::Category);
}

CSubmitRun::Next CSubmitRun::PostCategory() {
  const CHtmlNode* form = FindNamed(session_.Page(), "form", "topsubmit");
  if (!form) return Stop(IDS_CATEGORY_FORM_MISSING, {}, true);
  CFormData fields = session_.Collect(form);
  fields.SetInt("category", listing_.category);
  std::string action = session_.ActionOf(form);
  if (action.empty()) action = ServiceUrl(profile_, ServiceRole::Sell, "/sell/jp/show/submit");
  Next stop;
  if (!Landed(session_.Post(action, fields), stop)) return stop;
  return Go(SubmitStep::PageAnalysis);
}

CSubmitRun::Next CSubmitRun::AnalysePage() {
  const SellPageNotice notice = AnalyseSellPage(session_.Page(), options_.easyTrade);
  pageFlags_ = notice.flags;
  if (notice.flags & kSellPageClosedToNormal) {
    std::string text = notice.message;
    text += listing_.categoryPath.empty()
                ? LoadString(IDS_CLOSED_TO_NORMAL)
                : FormatMessageId(IDS_CLOSED_TO_NORMAL_CATEGORY, {listing_.categoryPath});
    return Stop({IDS_CLOSED_TO_NORMAL, text});
  }
  if (!(notice.flags & kSellPageKnownDialog) && !notice.message.empty())
    return Stop(IDS_SERVER_MESSAGE, {notice.message}, true);
  ReadSellerId();
  return Go(SubmitStep::SellForm);
}

void CSubmitRun::ReadSellerId() {
  const CHtmlNode* bar = session_.Page().Find({"div", "id", "modLoginBar"});
  if (!bar) return;
  const CHtmlSubDocument area(bar);
  std::string id;
  if (!area.FindText({"b"}, id) && !area.FindText({"strong"}, id)) id = bar->GetInnerText();
  id = Trimmed(id);
  for (const std::string& greeting : {Cp932("こんにちは"), Cp932("ようこそ")})
    if (id.starts_with(greeting)) id = Trimmed(id.substr(greeting.size()));
  const std::string honorific = Cp932("さん");
  if (id.ends_with(honorific)) id = Trimmed(id.substr(0, id.size() - honorific.size()));
  if (id.empty()) return;
  sellerId_ = id;
  UpdateCaption();
}

const CHtmlNode* CSubmitRun::FindSellForm() const {
  for (const CHtmlNode* form : session_.Page().FindAll({"form"})) {
    std::string name, id, action;
    form->GetAttribute("name", name);
    form->GetAttribute("id", id);
    form->GetAttribute("action", action);
    if ((EqualsIgnoreCase(name, "auction") || EqualsIgnoreCase(id, "auction")) &&
        action.find("/jp/show/preview") != std::string::npos)
      return form;
  }
  return nullptr;
}

CSubmitRun::Next CSubmitRun::CheckSellForm() {
  const CHtmlNode* form = FindSellForm();
  if (!form) {
    int id = IDS_SELL_FORM_MISSING;
    std::string text;
    if (listing_.categoryPath.find(Cp932("不動産")) != std::string::npos) {
      id = IDS_SELL_FORM_MISSING_REAL_ESTATE;
      text = LoadString(id);
    } else if (listing_.categoryPath.empty()) {
      text = LoadString(id);
    } else {
      id = IDS_SELL_FORM_MISSING_CATEGORY;
      text = FormatMessageId(id, {listing_.categoryPath});
    }
    text += LoadString(IDS_BROWSER_CHECK_ADVICE);
    return Stop({id, text, session_.CurrentUrl(), session_.CurrentUrl()});
  }
  const CHtmlSubDocument sellForm(form);
  const bool easyTradeForm = sellForm.Find({"input", "name", "is_other_ship"}) ||
                             sellForm.Find({"input", "name", "shippinginput"});
  if (easyTradeForm != options_.easyTrade || (pageFlags_ & kSellPageClosedToNormal)) {
    std::string text;
    std::string top;
    if (session_.Page().FindText({"div", "class", "acMdTopMessage", HtmlValueMatch::Contains},
                                 top) &&
        !Trimmed(top).empty())
      text = Trimmed(top) + "\r\n\r\n";
    const std::string listed = ModeName(options_.easyTrade);
    const std::string needed = ModeName(!options_.easyTrade);
    text += listing_.categoryPath.empty()
                ? FormatMessageId(IDS_WRONG_LISTING_MODE, {listed, needed})
                : FormatMessageId(IDS_WRONG_LISTING_MODE_CATEGORY,
                                  {listing_.categoryPath, listed, needed});
    return Stop({IDS_WRONG_LISTING_MODE, text});
  }
  return Go(listing_.photos.empty() ? SubmitStep::Fill : SubmitStep::Photos);
}

CSubmitRun::Next CSubmitRun::SendPhotos() {
  CPhotoUpload upload(session_, host_, profile_);
  auto failed = [&](StepResult result) {
    return result.message ? Stop(std::move(*result.message)) : Quiet();
  };
  StepResult result = upload.OpenPhotoPage(FindSellForm());
  if (!result.ok) return failed(std::move(result));
  Next stop;
  if (!Landed(true, stop)) return stop;
  if (CPhotoUpload::SendTogether(listing_.photos, settings_.uploadPhotosTogether,
                                 settings_.uploadSizeLimit)) {
    result = upload.Upload(listing_.photos, CPhotoUpload::kAllPhotos);
    if (!result.ok) return failed(std::move(result));
  } else {
    for (int i = 0; i < static_cast<int>(listing_.photos.size()); ++i) {
      if (cancelled_) return Cancelled();
      result = upload.Upload(listing_.photos, i);
      if (!result.ok) return failed(std::move(result));
    }
  }
  result = upload.ReturnToSellForm();
  if (!result.ok) return failed(std::move(result));
  if (!Landed(true, stop)) return stop;
  if (!FindSellForm()) return Go(SubmitStep::SellForm);
  return Go(SubmitStep::Fill);
}

void CSubmitRun::NormaliseFields(const CHtmlNode* sellForm) {
  fields_ = CFieldSet();
  fields_.Merge(listing_.fields);
  fields_.Set(kFieldTos, "yes");
  if (!fields_.IsEmpty(kFieldMarkdown) && fields_.IsSet(kFieldMarkdown) &&
      fields_.GetInt(kFieldNumResubmit) == 0)
    fields_.Clear(kFieldMarkdown);
  if ((fields_.IsEmpty(kFieldMarkdown) || !fields_.IsSet(kFieldMarkdown)) &&
      fields_.GetInt(kFieldMarkdownRatio) > 0)
    fields_.Clear(kFieldMarkdownRatio);
  for (int row = 1; row <= CFieldSet::kRows; ++row) {
    if (fields_.IsSet(FieldRow(kFieldShipName1, row)) &&
        !fields_.IsEmpty(FieldRow(kFieldShipName1, row)))
      continue;
    for (FieldSlot first :
         {kFieldShipFee1, kFieldLongDistShipping1, kFieldHokkaidoShipping1, kFieldOkinawaShipping1,
          kFieldIsolatedIslandShipping1, kFieldShipRateLink1})
      if (fields_.IsSet(FieldRow(kFieldShipName1, row))) fields_.Clear(FieldRow(first, row));
  }
  const CHtmlSubDocument form(sellForm);
  if (options_.easyTrade) {
    fields_.Clear(kFieldAspj1);
    fields_.Clear(kFieldAspj3);
    fields_.Clear(kFieldAspj4);
    // The bank names only pick one of the accounts the form offers (FillForm).
    for (int row = 1; row <= CFieldSet::kRows; ++row)
      if (fields_.IsSet(FieldRow(kFieldBankName1, row)))
        fields_.Clear(FieldRow(kFieldBankName1, row));
    const bool noPayment = !(fields_.IsSet(kFieldYpmOk) && !fields_.IsEmpty(kFieldYpmOk)) &&
                           !(fields_.IsSet(kFieldDskPayment) && !fields_.IsEmpty(kFieldDskPayment));
    if (noPayment && form.Find({"input", "name", "dskPayment"}))
      fields_.Set(kFieldDskPayment, "ypmOK");
  }
  // The size and weight are sent as the index of the form's matching choice.
  const std::pair<FieldSlot, const std::string*> choices[] = {
      {kFieldItemSize, &listing_.sizeText}, {kFieldItemWeight, &listing_.weightText}};
  for (const auto& [slot, text] : choices) {
    if (text->empty()) continue;
    fields_.Clear(slot);
    const CHtmlNode* select = form.Find({"select", "name", CFieldSet::Name(slot)});
    if (!select) continue;
    const std::vector<const CHtmlNode*> options = CHtmlSubDocument(select).FindAll({"option"});
    for (std::size_t i = 0; i < options.size(); ++i) {
      if (Trimmed(options[i]->GetInnerText()) == *text) {
        fields_.SetInt(slot, static_cast<std::int64_t>(i));
        break;
      }
    }
  }
  if (listing_.sellerIdPlaceholder && !sellerId_.empty() && fields_.IsSet(kFieldDescription)) {
    std::string description = fields_.Get(kFieldDescription);
    ReplaceAll(description, kSellerIdPlaceholder, sellerId_);
    fields_.Set(kFieldDescription, std::move(description));
  }
}

CSubmitRun::Next CSubmitRun::FillForm() {
  const CHtmlNode* form = FindSellForm();
  NormaliseFields(form);
  CFormData fields = session_.Collect(form);
  fields_.Apply(fields);
  if (options_.easyTrade) {
    if (std::optional<std::string> bank =
            ChooseBank(OfferedBanks(CHtmlSubDocument(form)), listing_.fields))
      fields.SetValue(std::string("bkid"), std::move(*bank));
  }
  const std::string action = session_.ActionOf(form);
  if (action.empty()) return Stop(IDS_PARAMETER_MISSING, {std::string("action")}, true);
  host_.SetStatus(LoadString(IDS_STATUS_CONFIRMING));
  Next stop;
  if (!Landed(session_.Post(action, fields), stop)) return stop;
  return Go(SubmitStep::Confirmation);
}

CSubmitRun::Next CSubmitRun::Confirm() {
  const CHtmlDocument& page = session_.Page();
  if (!FindNamed(page, "form", "auction")) return Stop(IDS_CONFIRM_FORM_MISSING, {}, true);
  for (const CHtmlNode* title : page.FindAll({"input", "name", "Title"})) {
    std::string type;
    title->GetAttribute("type", type);
    if (EqualsIgnoreCase(type, "text"))
      return Stop(IDS_SERVER_MESSAGE, {ErrorReport(page, LoadString(IDS_ERROR_ITEMS_NOTE))}, true);
  }
  finalUrl_ = FinalPostAddress(page, profile_);
  if (finalUrl_.empty()) return Stop(IDS_FINAL_ADDRESS_MISSING, {}, true);
  if (options_.batchTotal == 0 && settings_.showFinalConfirmation &&
      !host_.ConfirmListing({session_.CurrentUrl(), page.GetSource(), session_.PageCharset()}))
    return End(SubmitOutcome::Cancelled);
  if (options_.dryRun) return End(SubmitOutcome::Confirmed);
  return Go(SubmitStep::FinalPost);
}

CSubmitRun::Next CSubmitRun::PostFinal() {
  const CHtmlNode* form = FindNamed(session_.Page(), "form", "auction");
  CFormData fields = session_.Collect(form);
  for (const char* name : {"Title", "Description"}) {
    std::string value = fields.GetValue(std::string(name));
    if (UnescapeHtml(value, true)) fields.SetValue(std::string(name), std::move(value));
  }
  const std::string sentCharset(CharsetName(session_.PageCharset()));
  host_.SetStatus(LoadString(IDS_STATUS_SUBMITTING));
  CNoRetryPrompt once(host_);
  session_.Client().SetPrompt(&once);
  if (options_.beforeFinalPost && !options_.beforeFinalPost()) {
    session_.Client().SetPrompt(&host_);
    return Cancelled();
  }
  const bool ok = session_.Post(finalUrl_, fields);
  session_.Client().SetPrompt(&host_);
  Next stop;
  if (!Landed(ok, stop)) return stop;
  if (!IsCompleted(session_.Page())) {
    const std::string& url = session_.CurrentUrl();
    const std::string pageCharset(CharsetName(session_.PageCharset()));
    std::string text = LoadString(IDS_NOT_COMPLETED) +
                       FormatMessageId(IDS_FINAL_POST_NOTE, {url, sentCharset, pageCharset});
    return Stop({IDS_NOT_COMPLETED, text, url, url});
  }
  ReadAuctionId();
  if (options_.batchTotal == 0 && settings_.showCompletionMessage) {
    SubmitMessage done =
        listing_.title.empty()
            ? SubmitMessage{IDS_SUBMIT_COMPLETED, LoadString(IDS_SUBMIT_COMPLETED)}
            : SubmitMessage{IDS_SUBMIT_COMPLETED_TITLE,
                            FormatMessageId(IDS_SUBMIT_COMPLETED_TITLE, {listing_.title})};
    done.icon = PromptIcon::Information;
    host_.ShowSubmitMessage(done);
  }
  return End(SubmitOutcome::Completed);
}

void CSubmitRun::ReadAuctionId() {
  for (const CHtmlNode* anchor : session_.Page().FindAll({"a", "href"})) {
    const std::string& href = *anchor->FindAttribute("href");
    std::string id;
    if (QueryParameter(href, "aID", id) && !id.empty()) {
      auctionId_ = id;
      return;
    }
    const std::size_t at = href.find("/jp/auction/");
    if (at != std::string::npos) {
      id = href.substr(at + 12);
      id = id.substr(0, id.find_first_of("/?#"));
      if (!id.empty()) {
        auctionId_ = id;
        return;
      }
    }
  }
}

}  // namespace nuvo

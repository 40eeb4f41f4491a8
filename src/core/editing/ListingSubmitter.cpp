#include "core/editing/ListingSubmitter.h"

#include "core/app/OptionBits.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/decorate/DecorateAddress.h"
#include "core/decorate/DecorateConverter.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PageComposer.h"
#include "core/editing/EmptyRowsCommand.h"
#include "core/editing/RunSettings.h"
#include "core/editing/ValueCommands.h"
#include "core/submit/SubmitListingBuilder.h"

namespace nuvo {
namespace {

constexpr char kEmptyItemsStep[] = "empty-items";

ERowList ListOf(const std::string& field) {
  if (field == check_field::kPost) return ERowList::Post;
  return field == check_field::kPay ? ERowList::Pay : ERowList::Other;
}

ESubmitResult ResultOf(SubmitOutcome outcome) {
  switch (outcome) {
    case SubmitOutcome::Completed:
    case SubmitOutcome::Confirmed:
      return ESubmitResult::Submitted;
    case SubmitOutcome::Cancelled:
      return ESubmitResult::Cancelled;
    case SubmitOutcome::LoginRequired:
      return ESubmitResult::LoginRequired;
    case SubmitOutcome::Failed:
      break;
  }
  return ESubmitResult::Failed;
}

}  // namespace

CRunReport CRunReport::Of(const CSubmitRun& run) {
  return {run.Outcome(), run.LoginAgainRequested(), run.Message(), run.AuctionId(), run.SellerId(),
          run.Steps()};
}

std::string CSubmitResult::Message() const {
  if (finding) return finding->message;
  return run ? run->message : std::string();
}

CListingSubmitter::CListingSubmitter(CNuvoDoc& doc, const CAppOptions& options,
                                     ISubmitListingHost& host)
    : doc_(doc), options_(options), host_(host) {}

bool CListingSubmitter::Settle(const std::vector<CSubmitFinding>& findings, CSubmitResult& result) {
  // One question covers every place a step found: the seller has seen the first.
  for (const CSubmitFinding& finding : findings) {
    host_.ShowFinding(finding);
    if (finding.stops) {
      host_.Ask({finding.messageId, finding.message, PromptButtons::Ok});
      result.result = ESubmitResult::Stopped;
      result.finding = finding;
      return false;
    }
    const PromptAnswer answer = host_.Ask(
        {finding.messageId, finding.message, PromptButtons::YesNo, PromptIcon::Question, 0});
    if (finding.step == kEmptyItemsStep) {
      // Either answer goes on; Yes first takes the empty items out of that list.
      if (answer == PromptAnswer::Yes) {
        if (auto command = MakeDeleteEmptyRowsCommand(doc_, ListOf(finding.field)))
          host_.Execute(std::move(command));
      }
      continue;
    }
    if (answer != PromptAnswer::Yes) {
      result.result = ESubmitResult::Stopped;
      result.finding = finding;
      return false;
    }
    return true;
  }
  return true;
}

bool CListingSubmitter::SettleEach(const std::vector<SubmitCheck>& checks, CSubmitResult& result) {
  // Each check sees the listing as the checks before it left it.
  for (const SubmitCheck& check : checks) {
    if (!Settle(check(doc_), result)) return false;
  }
  return true;
}

bool CListingSubmitter::OfferLinks() {
  // HTML input is the seller's own markup: its addresses are left as they were written.
  if (doc_.GetDescriptInputType() == CNuvoDoc::kHtmlInput) return true;
  const std::vector<std::string> texts = doc_.GetDescriptions();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    CDecorateEditDoc text;
    text.SetBaseSize(kEditorBaseSize);
    if (!text.SetHtml(texts[i])) continue;
    bool linked = false;
    bool cancelled = false;
    for (const FoundAddress& address : FindUnlinkedAddresses(text, 0, text.GetLength())) {
      CSubmitFinding finding;
      finding.step = "links";
      finding.messageId = IDS_LINK_UNLINKED_ADDRESS;
      finding.message = LoadString(IDS_LINK_UNLINKED_ADDRESS);
      finding.field = check_field::kDescription;
      finding.row = static_cast<int>(i);
      finding.selectionStart = static_cast<std::size_t>(address.start);
      finding.selectionLength = static_cast<std::size_t>(address.end - address.start);
      finding.asks = true;
      host_.ShowFinding(finding);
      const PromptAnswer answer = host_.Ask({finding.messageId, finding.message,
                                             PromptButtons::YesNoCancel, PromptIcon::Question, 0});
      if (answer == PromptAnswer::Yes) {
        text.AddDecoration(address.start, address.end, DECO_LINK, {0, address.link});
        linked = true;
      } else if (answer != PromptAnswer::No) {
        cancelled = true;
        break;
      }
    }
    // Links the seller accepted before cancelling stay, as in the editor's own detection.
    if (linked) {
      std::string html;
      text.GetHtml(html);
      if (auto command = MakeSetDescriptionCommand(doc_, i, std::move(html)))
        host_.Execute(std::move(command));
    }
    if (cancelled) return false;
  }
  return true;
}

CSubmitResult CListingSubmitter::SubmitListing(const CCommonSubmitSettings* settings,
                                               int batchIndex, int batchCount,
                                               FinalPostHook beforeFinalPost) {
  CSubmitResult result;
  CSubmitCheckContext context{options_.optionValue, form_, false, options_.banners.size()};

  if (!SettleEach(ChecksBeforeLinks(context), result)) return result;
  if ((context.optionValue & kOptionDetectUnlinkedAddresses) && !OfferLinks()) {
    result.result = ESubmitResult::Cancelled;
    return result;
  }
  if (!SettleEach(ChecksAfterLinks(context), result)) return result;

  std::optional<CCommonSubmitSettings> confirmed;
  if (settings) {
    confirmed = *settings;
  } else {
    confirmed = host_.ConfirmSettings(form_);
    if (!confirmed) {
      result.result = ESubmitResult::Cancelled;
      return result;
    }
  }
  context.sellerPaysPostage = confirmed->post.SellerPaysPostage();
  if (!SettleEach(ChecksAfterSettings(context), result)) return result;

  const CSubmitSettings runSettings = MakeRunSettings(*confirmed, options_);
  const CPageOptions pageOptions = CPageOptions::FromAppOptions(options_);
  SubmitRunOptions runOptions;
  runOptions.easyTrade = form_ == ESubmitForm::EasyTrade;
  runOptions.dryRun = dryRun_;
  runOptions.batchIndex = batchIndex;
  runOptions.batchTotal = batchCount;
  runOptions.beforeFinalPost = std::move(beforeFinalPost);
  std::string unreadablePhoto;
  const std::optional<nuvo::SubmitListing> listing =
      BuildSubmitListing(doc_, runSettings, pageOptions, unreadablePhoto);
  if (!listing) {
    // The run fails before it starts, with the message the seller sees; nothing was sent.
    CRunReport report;
    report.message = FormatMessageId(IDS_PHOTO_UNREADABLE, {unreadablePhoto});
    host_.Ask({IDS_PHOTO_UNREADABLE, report.message, PromptButtons::Ok});
    result.result = ESubmitResult::Failed;
    result.run = std::move(report);
    return result;
  }
  // A login on the way earns exactly one more run.
  for (int attempt = 0; attempt < 2; ++attempt) {
    result.run = host_.RunSubmission(runSettings, *listing, runOptions);
    ++result.runs;
    if (result.run->outcome != SubmitOutcome::LoginRequired || !result.run->loginAgain) break;
    runOptions.sellerId = result.run->sellerId;
  }
  result.result = ResultOf(result.run->outcome);
  return result;
}

}  // namespace nuvo

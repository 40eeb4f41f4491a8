#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliAnswer.h"
#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/CliListingHost.h"
#include "cli/CookieJarFile.h"
#include "cli/JsonOut.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/app/OptionBits.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/ListingSubmitter.h"
#include "core/submit/FinalConfirmPage.h"
#include "core/submit/SubmitRun.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"

// submit FILE.nvd [--easy-trade|--normal] [--dry-run] [--yes] [--confirm-page OUT.html]: puts the
// listing on the service through the same checks and run as the desktop program and prints its
// outcome as one JSON object. The common settings are the seller's stored ones, taken without a
// dialog; the checks' questions are answered Yes with --yes and No without. The listing file is
// only read.
namespace nuvo::cli {
namespace {

constexpr int kExitLoginRequired = 3;

struct SubmitArgs {
  std::string file;
  int mode = -1;  // -1: the setting's; 0 normal; 1 easy trade
  bool dryRun = false;
  bool yes = false;
  std::string confirmPage;  // where the rewritten confirmation page goes; empty: nowhere
};

bool ParseArgs(const std::vector<std::string>& args, SubmitArgs& parsed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--confirm-page") {
      if (i + 1 == args.size() || args[i + 1].empty() || !parsed.confirmPage.empty()) return false;
      parsed.confirmPage = args[++i];
    } else if (arg == "--easy-trade" || arg == "--normal") {
      const int mode = arg == "--easy-trade" ? 1 : 0;
      if (parsed.mode != -1 && parsed.mode != mode) return false;
      parsed.mode = mode;
    } else if (arg == "--dry-run") {
      parsed.dryRun = true;
    } else if (arg == "--yes") {
      parsed.yes = true;
    } else if (arg.empty() || arg[0] == '-' || !parsed.file.empty()) {
      return false;
    } else {
      parsed.file = arg;
    }
  }
  return !parsed.file.empty();
}

// Tells the seller on standard error what the window would have shown, and answers questions
// from --yes.
class CCliSubmitHost : public ISubmitHost {
 public:
  CCliSubmitHost(bool yes, std::string confirmPage)
      : yes_(yes), confirmPage_(std::move(confirmPage)) {}

  PromptAnswer Ask(const PromptRequest& request) override {
    Tell(request.text);
    return CliAnswer(request.buttons, yes_);
  }
  void SetStatus(const std::string&) override {}
  void SetCaption(const std::string&) override {}
  void ShowSubmitMessage(const SubmitMessage& message) override {
    Tell(message.text);
    if (!message.linkUrl.empty()) std::fprintf(stderr, "%s\n", message.linkUrl.c_str());
  }

  // Writes the page the final confirmation dialog would show, in code page 932, to the file
  // named by --confirm-page; a page that cannot be rewritten or written ends the run.
  bool ConfirmListing(const ConfirmationPage& page) override {
    if (confirmPage_.empty()) return true;
    const std::optional<std::string> html =
        BuildFinalConfirmPage(CHtmlDocument(page.html), page.url);
    if (!html) {
      Tell(LoadString(IDS_CONFIRM_PAGE_NOT_RECOGNISED));
      return false;
    }
    QSaveFile file(QString::fromStdString(confirmPage_));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(html->data(), static_cast<qint64>(html->size())) !=
            static_cast<qint64>(html->size()) ||
        !file.commit()) {
      Tell(FormatMessageId(IDS_CONFIRM_PAGE_UNWRITABLE, {confirmPage_}));
      return false;
    }
    return true;
  }

  // The last text shown, UTF-8.
  const std::string& LastShown() const { return last_; }

 private:
  void Tell(const std::string& cp932) {
    last_ = Utf8FromCp932(cp932);
    std::fprintf(stderr, "%s\n", last_.c_str());
  }

  bool yes_;
  std::string confirmPage_;
  std::string last_;
};

std::string_view ResultName(const CSubmitResult& result) {
  if (result.result == ESubmitResult::Stopped) return "stopped";
  if (!result.run) return "cancelled";
  return OutcomeName(result.run->outcome);
}

std::string ResultJson(const CSubmitResult& result, const std::string& message) {
  const CRunReport none;
  const CRunReport& run = result.run ? *result.run : none;
  CJsonOut json;
  json.Open('{');
  json.Key("outcome");
  json.String(ResultName(result));
  if (result.finding) {
    json.Key("check");
    json.String(result.finding->step);
  }
  json.Key("auctionId");
  json.Text(run.auctionId);
  json.Key("sellerId");
  json.Text(run.sellerId);
  json.Key("message");
  json.String(message);
  json.Key("runs");
  json.Number(result.runs);
  json.Key("steps");
  json.Open('[');
  for (SubmitStep step : run.steps) json.String(StepName(step));
  json.Close(']');
  json.Close('}');
  return json.Result() + '\n';
}

}  // namespace

int SubmitListingCommand(const GlobalOptions& options, const std::vector<std::string>& args) {
  SubmitArgs parsed;
  if (!ParseArgs(args, parsed)) return kExitUsage;
  CRunSettings settings(options);
  CRecordingPrompt loadPrompt;
  CNuvoDoc doc(settings, loadPrompt);
  if (!doc.OnOpenDocument(parsed.file)) {
    loadPrompt.PrintAll();
    return kExitFailed;
  }
  loadPrompt.PrintAll();

  CAppOptions appOptions;
  appOptions.Load(CAppComm(settings));
  // Nobody waits at a terminal for the notice: the outcome is printed.
  appOptions.optionValue &= ~kOptionShowCompletionMessage;
  // The page is written whatever the option of the window says.
  if (!parsed.confirmPage.empty()) appOptions.optionValue |= kOptionShowFinalConfirmation;

  // A jar named on the command line is used alone: the program's own jar is left as it is.
  QTemporaryDir scratch;
  const QString jarFile = options.cookieJar.empty() ? CNetworkSession::DefaultCookieFile()
                                                    : scratch.filePath(QStringLiteral("cookies"));
  CNetworkSession network(jarFile);
  if (!options.cookieJar.empty() && !ReadCookieJar(options.cookieJar, network.Cookies())) {
    std::fprintf(
        stderr, "%s\n",
        Utf8FromCp932(FormatMessageId(IDS_COOKIE_JAR_UNREADABLE, {options.cookieJar})).c_str());
    return kExitFailed;
  }
  const CServiceProfile& profile = options.service ? *options.service : CServiceProfile::Default();
  network.UseProxy(profile.Proxy());
  CQtHttpTransport transport(network);
  CCliSubmitHost runHost(parsed.yes, parsed.confirmPage);
  CCliListingHost host(doc, CAppComm(settings), runHost, transport, profile);
  CListingSubmitter submitter(doc, appOptions, host);
  // The listing goes to the easy-trade form unless --normal asks for the older one.
  submitter.SetForm(parsed.mode == 0 ? ESubmitForm::Normal : ESubmitForm::EasyTrade);
  submitter.SetDryRun(parsed.dryRun);
  const CSubmitResult result = submitter.SubmitListing(nullptr);

  bool jarWritten = true;
  if (!options.cookieJar.empty())
    jarWritten = WriteCookieJar(options.cookieJar, network.Cookies());
  else
    network.Cookies().Save();

  const bool success =
      result.Submitted() && (result.run->outcome == SubmitOutcome::Completed || parsed.dryRun);
  std::fputs(ResultJson(result, success ? std::string() : runHost.LastShown()).c_str(), stdout);

  if (!jarWritten) {
    std::fprintf(
        stderr, "%s\n",
        Utf8FromCp932(FormatMessageId(IDS_COOKIE_JAR_UNWRITABLE, {options.cookieJar})).c_str());
  }
  if (success) return jarWritten ? kExitOk : kExitFailed;
  return result.result == ESubmitResult::LoginRequired ? kExitLoginRequired : kExitFailed;
}

}  // namespace nuvo::cli

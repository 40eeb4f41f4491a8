#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
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
#include "core/batch/BatchFileList.h"
#include "core/batch/BatchRunResult.h"
#include "core/batch/BatchRunner.h"
#include "core/batch/BatchSettings.h"
#include "core/common/Encoding.h"
#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"
#include "core/common/PathText.h"
#include "core/common/StringTable.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/ListingSubmitter.h"
#include "core/submit/SubmitRun.h"
#include "gui/batch/BatchJournalFolder.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"

// batch PATH... [--journal FILE] [--resume] [--force] [--wait SECONDS] [--easy-trade|--normal]
// [--yes]: submits listing files one after another, each through the same run as submit, keeping
// a journal that makes the batch safe to run again. One JSON line per item as it finishes, then
// a summary. SIGINT or SIGTERM stops the batch between two items, never inside a final post.
namespace nuvo::cli {
namespace {

constexpr int kExitLoginRequired = 3;

std::atomic<bool> stopRequested{false};

extern "C" void RequestStop(int) { stopRequested = true; }

struct BatchArgs {
  std::vector<std::string> paths;
  std::string journal;
  bool resume = false;
  bool force = false;
  int wait = -1;  // -1: the setting's
  int mode = -1;  // -1: the setting's; 0 normal; 1 easy trade
  bool yes = false;
};

bool ParseArgs(const std::vector<std::string>& args, BatchArgs& parsed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size() && !args[i + 1].empty();
    if (arg == "--journal") {
      if (!hasValue || !parsed.journal.empty()) return false;
      parsed.journal = args[++i];
    } else if (arg == "--wait") {
      if (!hasValue) return false;
      const std::string& value = args[++i];
      if (value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos)
        return false;
      parsed.wait = std::stoi(value);
      if (parsed.wait > kMaxBatchWaitSeconds) return false;
    } else if (arg == "--easy-trade" || arg == "--normal") {
      const int mode = arg == "--easy-trade" ? 1 : 0;
      if (parsed.mode != -1 && parsed.mode != mode) return false;
      parsed.mode = mode;
    } else if (arg == "--resume") {
      parsed.resume = true;
    } else if (arg == "--force") {
      parsed.force = true;
    } else if (arg == "--yes") {
      parsed.yes = true;
    } else if (arg.empty() || arg[0] == '-') {
      return false;
    } else {
      parsed.paths.push_back(arg);
    }
  }
  // A resumed batch is the journal's list; a new one needs files.
  if (parsed.resume) return !parsed.journal.empty() && parsed.paths.empty();
  return !parsed.paths.empty();
}

void Tell(const std::string& cp932) { std::fprintf(stderr, "%s\n", Utf8FromCp932(cp932).c_str()); }

// The run's side of one item: messages to standard error, questions answered by --yes.
class CBatchSubmitHost : public ISubmitHost {
 public:
  explicit CBatchSubmitHost(bool yes) : yes_(yes) {}

  PromptAnswer Ask(const PromptRequest& request) override {
    Shown(request.text);
    return CliAnswer(request.buttons, yes_);
  }
  void SetStatus(const std::string&) override {}
  void SetCaption(const std::string&) override {}
  void ShowSubmitMessage(const SubmitMessage& message) override { Shown(message.text); }

  // Forgets the last message before the next item.
  void Clear() { last_.clear(); }
  // The last text shown, code page 932.
  const std::string& LastShown() const { return last_; }

 private:
  void Shown(const std::string& cp932) {
    last_ = cp932;
    Tell(cp932);
  }

  bool yes_;
  std::string last_;
};

// The batch's side: opens each item from the bytes the runner read, submits it and prints it.
class CCliBatchHost : public IBatchHost {
 public:
  CCliBatchHost(const GlobalOptions& options, const BatchArgs& args, IHttpTransport& transport)
      : settings_(options),
        args_(args),
        transport_(transport),
        submitHost_(args.yes),
        profile_(options.service ? *options.service : CServiceProfile::Default()) {
    appOptions_.Load(CAppComm(settings_));
    // Nobody waits at a terminal for a notice per item: the outcome is printed.
    appOptions_.optionValue &= ~kOptionShowCompletionMessage;
    // The listing goes to the easy-trade form unless --normal asks for the older one.
    form_ = args.mode == 0 ? ESubmitForm::Normal : ESubmitForm::EasyTrade;
    // The stored common settings stand for the ones a seller confirms at a batch's start.
    common_ = CCommonSubmitSettings(form_);
    common_.Load(CAppComm(settings_));
  }

  BatchSubmitResult Submit(const BatchItem&, std::span<const std::uint8_t> bytes, int index,
                           int total, const std::function<bool()>& posting) override {
    submitHost_.Clear();
    CRecordingPrompt loadPrompt;
    CNuvoDoc doc(settings_, loadPrompt);
    const bool opened = doc.LoadFromBytes(bytes);
    loadPrompt.PrintAll();
    if (!opened) {
      BatchSubmitResult result;
      if (!loadPrompt.Messages().empty()) result.message = Cp932(loadPrompt.Messages().back());
      return result;
    }
    CCliListingHost host(doc, CAppComm(settings_), submitHost_, transport_, profile_);
    CListingSubmitter submitter(doc, appOptions_, host);
    submitter.SetForm(form_);
    bool posted = false;
    const CSubmitResult submitted =
        submitter.SubmitListing(&common_, index, total, [&] { return posted = posting(); });
    BatchSubmitResult result = BatchResultOf(submitted, posted);
    // A failure the HTTP client reported itself leaves the run without a message of its own.
    if (result.message.empty()) result.message = submitHost_.LastShown();
    return result;
  }

  bool Wait(int seconds) override {
    if (seconds > 0 && !stopRequested) Tell(FormatMessageId(IDS_BATCH_WAITING, {seconds}));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!stopRequested && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return !stopRequested;
  }

  bool ListAgain(const BatchItem&, const ListedRecord&) override { return args_.force; }
  void ItemChanged(std::size_t, const BatchItem&) override {}
  void ShowMessage(const std::string& text) override { Tell(text); }

  void ItemFinished(std::size_t index, const BatchItem& item, BatchStop stop) override {
    CJsonOut json;
    json.Open('{');
    json.Key("index");
    json.Number(static_cast<long long>(index) + 1);
    json.Key("path");
    json.String(PathUtf8(item.path));
    json.Key("outcome");
    json.String(OutcomeName(item.state, stop));
    json.Key("auctionId");
    json.String(item.auctionId);
    json.Key("message");
    json.Text(item.message);
    json.Close('}');
    std::printf("%s\n", json.Result().c_str());
    std::fflush(stdout);
  }

  static std::string_view OutcomeName(BatchItemState state, BatchStop stop) {
    switch (state) {
      case BatchItemState::Posting:
        return "unknown";
      case BatchItemState::Failed:
      case BatchItemState::Waiting:
        return StopName(stop);
      default:
        return BatchItemStateName(state);
    }
  }

  static std::string_view StopName(BatchStop stop) {
    switch (stop) {
      case BatchStop::None:
        return "none";
      case BatchStop::Cancelled:
        return "cancelled";
      case BatchStop::LoginRequired:
        return "login-required";
      case BatchStop::Failed:
        break;
    }
    return "failed";
  }

 private:
  CRunSettings settings_;
  const BatchArgs& args_;
  IHttpTransport& transport_;
  CBatchSubmitHost submitHost_;
  const CServiceProfile& profile_;
  CAppOptions appOptions_;
  ESubmitForm form_ = ESubmitForm::EasyTrade;
  CCommonSubmitSettings common_{ESubmitForm::EasyTrade};
};

// The files named on the command line, in order; folders give their listing files in name order.
// A name that is not a listing file, a missing file or a folder without listings refuses the
// whole batch before anything is sent.
std::optional<std::vector<std::filesystem::path>> CollectFiles(
    const std::vector<std::string>& paths) {
  CBatchFileList list;
  for (const std::string& name : paths) {
    const std::filesystem::path path = PathFromUtf8(name);
    std::error_code error;
    int message = 0;
    if (std::filesystem::is_directory(path, error)) {
      message = list.AddFolder(path);
    } else if (!IsListingFileName(path)) {
      message = IDS_BATCH_NOT_NUVO_FILE;
    } else if (!std::filesystem::is_regular_file(path, error)) {
      message = IDS_FILE_NOT_FOUND;
    } else {
      message = list.AddFiles({path});
    }
    if (message == 0) continue;
    Tell(LoadString(message) + "\r\n" + Cp932ForMessage(name));
    if (message != IDS_BATCH_ALREADY_LISTED && message != IDS_BATCH_ALL_ALREADY_LISTED)
      return std::nullopt;
  }
  return list.Paths();
}

}  // namespace

int BatchSubmitCommand(const GlobalOptions& options, const std::vector<std::string>& args) {
  BatchArgs parsed;
  if (!ParseArgs(args, parsed)) return kExitUsage;

  std::optional<CBatchJournal> journal;
  const std::filesystem::path journalFile = PathFromUtf8(parsed.journal);
  if (parsed.resume) {
    journal = CBatchJournal::Load(journalFile);
    if (!journal) {
      Tell(FormatMessageId(IDS_BATCH_JOURNAL_UNREADABLE, {Cp932ForMessage(parsed.journal)}));
      return kExitFailed;
    }
  } else {
    std::optional<std::vector<std::filesystem::path>> files = CollectFiles(parsed.paths);
    if (!files) return kExitFailed;
    if (!parsed.journal.empty() && std::filesystem::exists(journalFile)) {
      Tell(FormatMessageId(IDS_BATCH_JOURNAL_EXISTS, {Cp932ForMessage(parsed.journal)}));
      return kExitFailed;
    }
    journal.emplace(
        parsed.journal.empty() ? CBatchJournal::NewFile(BatchJournalFolder()) : journalFile,
        *files);
  }
  const std::filesystem::path folder = journal->File().parent_path();

  QTemporaryDir scratch;
  const QString jarFile = options.cookieJar.empty() ? CNetworkSession::DefaultCookieFile()
                                                    : scratch.filePath(QStringLiteral("cookies"));
  CNetworkSession network(jarFile);
  if (!options.cookieJar.empty() && !ReadCookieJar(options.cookieJar, network.Cookies())) {
    Tell(FormatMessageId(IDS_COOKIE_JAR_UNREADABLE, {options.cookieJar}));
    return kExitFailed;
  }
  CQtHttpTransport transport(network);

  std::signal(SIGINT, RequestStop);
  std::signal(SIGTERM, RequestStop);
  if (parsed.wait < 0) {
    CRunSettings stored(options);
    parsed.wait = BatchWaitSeconds(CAppComm(stored));
  }
  CCliBatchHost host(options, parsed, transport);
  CBatchRunner runner(*journal, CListedHistory::Read(folder, journal->File()), host, parsed.wait);
  const BatchStop stop = runner.Run();
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);

  bool jarWritten = true;
  if (!options.cookieJar.empty())
    jarWritten = WriteCookieJar(options.cookieJar, network.Cookies());
  else
    network.Cookies().Save();

  const BatchSummary summary = Summarise(*journal);
  CJsonOut json;
  json.Open('{');
  json.Key("summary");
  json.Open('{');
  for (const auto& [key, count] : {std::pair{"listed", summary.listed},
                                   {"skipped", summary.skipped},
                                   {"failed", summary.failed},
                                   {"unknown", summary.unknown},
                                   {"waiting", summary.waiting}}) {
    json.Key(key);
    json.Number(count);
  }
  json.Key("stopped");
  json.String(CCliBatchHost::StopName(stop));
  json.Key("journal");
  json.String(PathUtf8(journal->File()));
  json.Close('}');
  json.Close('}');
  std::printf("%s\n", json.Result().c_str());

  if (!jarWritten) Tell(FormatMessageId(IDS_COOKIE_JAR_UNWRITABLE, {options.cookieJar}));
  if (stop == BatchStop::LoginRequired) return kExitLoginRequired;
  const bool allDone =
      summary.listed + summary.skipped == static_cast<int>(journal->Items().size());
  return allDone && jarWritten ? kExitOk : kExitFailed;
}

}  // namespace nuvo::cli

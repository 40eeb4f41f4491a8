// One complete submission of a listing with ten 1 MB photos, from the first sell page to the
// completion page, against nuvo-sandbox started for the purpose. The time counted is the CPU
// time of this process only: the sandbox's work and the waits for the network are left out.
// The counters split that time by thread (Linux only): the run's own thread, the system proxy's
// thread and the rest.
#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "core/submit/SubmitRun.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"
#include "support/ImageBytes.h"

namespace {

using namespace nuvo;

// A whole baseline JPEG of `size` bytes: the scan data makes up the length.
SubmitPhoto Photo(int number, std::size_t size) {
  ImageBytes bytes{0xFF, 0xD8};
  AppendJpegSegment(bytes, 0xC0, JpegFramePayload(640, 480));
  AppendJpegSegment(bytes, 0xDA, {3, 1, 0, 2, 0x11, 3, 0x11, 0, 63, 0});
  for (std::size_t i = 0; bytes.size() + 2 < size; ++i)
    bytes.push_back(static_cast<std::uint8_t>((i * 31 + number) % 255));
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  return {"photo" + std::to_string(number) + ".jpg", std::move(bytes)};
}

class CQuietHost : public ISubmitHost {
 public:
  PromptAnswer Ask(const PromptRequest& request) override {
    throw std::runtime_error("unexpected message: " + request.text);
  }
  void SetStatus(const std::string&) override {}
  void SetCaption(const std::string&) override {}
  void ShowSubmitMessage(const SubmitMessage& message) override {
    throw std::runtime_error("unexpected message: " + message.text);
  }
};

// CPU nanoseconds so far of each thread of this process, by the part it plays.
std::map<std::string, double> ThreadTimes() {
  std::map<std::string, double> times;
  const std::string self = std::to_string(getpid());
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
    std::string name;
    std::getline(std::ifstream(task.path() / "comm"), name);
    double ns = 0;
    std::ifstream(task.path() / "schedstat") >> ns;
    const std::string part = task.path().filename() == self  ? "main_ms"
                             : name.starts_with("QLibProxy") ? "proxy_ms"
                                                             : "other_ms";
    times[part] += ns;
  }
  return times;
}

struct Sandbox {
  Sandbox() {
    const QString profileFile = dir.filePath(QStringLiteral("profile.json"));
    process.start(QStringLiteral(NUVO_SANDBOX_PATH),
                  {QStringLiteral("--profile-out"), profileFile});
    for (int i = 0; i < 100 && !QFile::exists(profileFile); ++i) process.waitForFinished(50);
    std::string error;
    profile = CServiceProfile::Load(profileFile.toStdString(), error);
    if (!profile) throw std::runtime_error("nuvo-sandbox did not start: " + error);
  }
  ~Sandbox() {
    process.kill();
    process.waitForFinished();
  }
  QTemporaryDir dir;
  QProcess process;
  std::optional<CServiceProfile> profile;
};

void BM_SubmitTenPhotos(benchmark::State& state) {
  static int argc = 1;
  static char name[] = "nuvo_submit_bench";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  Sandbox sandbox;
  QTemporaryDir jarDir;
  CNetworkSession network(jarDir.filePath(QStringLiteral("cookies")));
  CQtHttpTransport transport(network);
  CQuietHost host;
  CSubmitSettings settings;
  settings.showFinalConfirmation = false;
  settings.showCompletionMessage = false;

  SubmitListing listing;
  listing.fields.Set(kFieldTitle, "bench");
  listing.fields.Set(kFieldDescription, std::string(6000, 'x'));
  listing.fields.SetInt(kFieldStartPrice, 1000);
  listing.fields.SetInt(kFieldQuantity, 1);
  listing.fields.SetInt(kFieldCategory, 2084005);
  listing.fields.Merge(settings.fields);
  listing.category = 2084005;
  for (int i = 1; i <= 10; ++i) listing.photos.push_back(Photo(i, 1'000'000));

  SubmitRunOptions normal;
  normal.easyTrade = false;
  // Thread times are read while the clock is stopped, so that reading them is not counted.
  std::map<std::string, double> spent;
  std::map<std::string, double> before;
  auto addSince = [&](const std::map<std::string, double>& start) {
    for (const auto& [part, ns] : ThreadTimes()) {
      const auto found = start.find(part);
      spent[part] += ns - (found == start.end() ? 0 : found->second);
    }
  };
  for (auto _ : state) {
    // Each run takes a listing of its own, as one built from the open document; copying the
    // fixture's photos is no part of the submission.
    state.PauseTiming();
    if (!before.empty()) addSince(before);
    SubmitListing copy = listing;
    before = ThreadTimes();
    state.ResumeTiming();
    CSubmitRun run(transport, host, *sandbox.profile, settings, std::move(copy), normal);
    if (run.Run() != SubmitOutcome::Completed) state.SkipWithError("the submission failed");
  }
  addSince(before);
  for (const auto& [part, ns] : spent)
    state.counters[part] = ns / 1e6 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SubmitTenPhotos)
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

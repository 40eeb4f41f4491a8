#include "gui/net/PrivateSandbox.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

// The sandbox prints its profile as soon as its ports are open; this is far more than it needs.
constexpr int kStartTimeoutMs = 10000;
constexpr int kStopTimeoutMs = 3000;
// The service takes new listings through the easy-trade form only, as the program sends them.
constexpr char kScenario[] = R"({"form": "easy"})";

}  // namespace

CPrivateSandbox::~CPrivateSandbox() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(kStopTimeoutMs)) process_.kill();
  process_.waitForFinished(kStopTimeoutMs);
}

QString CPrivateSandbox::ProgramPath() {
  const QString folder = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {folder + QStringLiteral("/nuvo-sandbox"),
                                   folder + QStringLiteral("/../sandbox/nuvo-sandbox")}) {
    if (QFileInfo(candidate).isExecutable()) return QFileInfo(candidate).canonicalFilePath();
  }
  return QStringLiteral("nuvo-sandbox");
}

std::optional<CServiceProfile> CPrivateSandbox::Start(std::string& error) {
  process_.setProcessChannelMode(QProcess::SeparateChannels);
  process_.setStandardErrorFile(QProcess::nullDevice());
  process_.start(ProgramPath(), {QStringLiteral("--scenario"), QString::fromLatin1(kScenario)});
  QByteArray line;
  if (process_.waitForStarted(kStartTimeoutMs)) {
    while (!process_.canReadLine() && process_.waitForReadyRead(kStartTimeoutMs)) {
    }
    line = process_.readLine().trimmed();
  }
  std::string why;
  std::optional<CServiceProfile> profile =
      line.isEmpty() ? std::nullopt
                     : CServiceProfile::Parse(line.toStdString(), "nuvo-sandbox", why);
  if (!profile) {
    error = FormatMessageId(IDS_SANDBOX_START_FAILED,
                            {FromQString(process_.errorString()).value_or(std::string())});
    process_.kill();
    process_.waitForFinished(kStopTimeoutMs);
  }
  return profile;
}

}  // namespace nuvo

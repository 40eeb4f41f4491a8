#include "gui/submit/SubmitDialog.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "gui/net/NetworkSession.h"

using namespace nuvo;

// The progress window takes its colour from the run's settings; it is built but never shown,
// so no run starts.
TEST(SubmitDialog, PaintsItselfLightGreenOnlyWhenTheSettingsAskForIt) {
  QTemporaryDir dir;
  CNetworkSession network(dir.filePath(QStringLiteral("cookies.txt")));
  const QColor green(0xCE, 0xFF, 0x6F);
  for (bool coloured : {true, false}) {
    CSubmitSettings settings;
    settings.colouredProgress = coloured;
    CSubmitDialog dialog(network, CServiceProfile::Default(), settings, SubmitListing{},
                         SubmitRunOptions());
    EXPECT_EQ(dialog.autoFillBackground(), coloured);
    EXPECT_EQ(dialog.palette().color(QPalette::Window) == green, coloured);
    const QString folder = qEnvironmentVariable("NUVO_DIALOG_SHOTS");
    if (coloured && !folder.isEmpty()) {
      EXPECT_TRUE(dialog.grab().save(folder + QStringLiteral("/submit-progress.png")));
    }
  }
}

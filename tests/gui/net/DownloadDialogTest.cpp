#include "gui/net/DownloadDialog.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <chrono>

#include "LocalServer.h"
#include "gui/net/NetworkSession.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

using namespace nuvo;

TEST(DownloadDialog, FetchesOnceShownAndCancelClosesItWithoutAMessage) {
  LocalServer<> local;
  local.server.Get("/page", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("hello", "text/plain");
  });
  local.server.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    res.set_content("late", "text/plain");
  });
  local.Start();
  TempDir dir;
  CNetworkSession session(QString::fromStdString((dir.path() / "cookies.txt").string()));

  CDownloadDialog fetch(session);
  fetch.SetRequest(local.Url("/page"));
  EXPECT_EQ(fetch.exec(), QDialog::Accepted);
  EXPECT_EQ(fetch.Client().ResponseText(), "hello");

  CDownloadDialog cancelled(session);
  ScriptedPrompt prompt;
  cancelled.Client().SetPrompt(&prompt);
  cancelled.SetRequest(local.Url("/slow"));
  QTimer::singleShot(200, &cancelled, [&] { cancelled.findChild<QPushButton*>()->click(); });
  QElapsedTimer elapsed;
  elapsed.start();
  EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
  EXPECT_LT(elapsed.elapsed(), 500);
  EXPECT_TRUE(cancelled.Client().IsCancelled());
  EXPECT_TRUE(prompt.requests.empty());
}

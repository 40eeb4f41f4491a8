#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTabWidget>
#include <QWebEngineView>

#include "../submit/LoginSite.h"
#include "ShotFolder.h"
#include "core/submit/ConfirmPageSample.h"
#include "core/submit/FinalConfirmPage.h"
#include "gui/app/HtmlView.h"
#include "gui/submit/FinalConfirmBasePage.h"
#include "gui/submit/FinalConfirmDialog.h"
#include "gui/submit/YahooLoginManualDialog.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

// A photo of `size` in one colour with its number on it, as JPEG bytes.
std::string Photo(QSize size, QColor colour, int number) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  QPainter painter(&image);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(size.height() / 3);
  painter.setFont(font);
  painter.drawText(image.rect(), Qt::AlignCenter, QString::number(number));
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPEG");
  return bytes.toStdString();
}

// The login dialog on a local login site, and the final confirmation dialog at its top and end.
TEST(LoginDialogShots, PicturesOfTheLoginAndConfirmationDialogs) {
  shots::UseJapaneseFont();
  ScriptedPrompt prompt;

  LoginSite site;
  CYahooLoginManualDialog login(
      CLoginFlow(site.Url(""), "",
                 CLoginFlow::StartAddress(site.Url(""), site.Url("/topic/notice/"))),
      false, prompt);
  login.show();
  ASSERT_TRUE(WaitForPage(*login.View().page(), QStringLiteral("/config/login")));
  Pump(500);
  shots::Save(login, QStringLiteral("login.png"));

  LocalServer<> images;
  const QColor colours[] = {QColor(0x40, 0x70, 0xa0), QColor(0xa0, 0x60, 0x40),
                            QColor(0x50, 0x90, 0x50)};
  for (int i = 1; i <= 3; ++i) {
    const std::string large = Photo({600, 450}, colours[i - 1], i);
    const std::string small = Photo({75, 56}, colours[i - 1], i);
    images.server.Get("/img/large" + std::to_string(i) + ".jpg",
                      [large](const httplib::Request&, httplib::Response& res) {
                        res.set_content(large, "image/jpeg");
                      });
    images.server.Get("/img/small" + std::to_string(i) + ".jpg",
                      [small](const httplib::Request&, httplib::Response& res) {
                        res.set_content(small, "image/jpeg");
                      });
  }
  images.Start();
  const std::string html =
      BuildFinalConfirmPage(CHtmlDocument(nuvo::test::ConfirmPageSample(
                                {.photos = 3, .feeBlock = true, .categoryChange = true})),
                            images.Url("/sell/jp/show/preview"))
          .value();
  CFinalConfirmDialog confirm(html, prompt);
  bool ready = false;
  QObject::connect(&confirm.Page(), &CFinalConfirmBasePage::Ready, [&] { ready = true; });
  confirm.show();
  ASSERT_TRUE(WaitUntil([&] { return ready; }, 10000));
  Pump(1500);
  shots::Save(confirm, QStringLiteral("final-confirm.png"));
  RunScript(*confirm.Page().View().page(), QStringLiteral("window.scrollTo(0, 100000);"));
  Pump(500);
  shots::Save(confirm, QStringLiteral("final-confirm-end.png"));
  confirm.findChild<QTabWidget*>()->setCurrentIndex(1);
  Pump(300);
  shots::Save(confirm, QStringLiteral("final-confirm-placement.png"));
}

}  // namespace

#include "gui/submit/FinalConfirmBasePage.h"

#include <QSaveFile>
#include <QVBoxLayout>
#include <QWebEngineSettings>

#include "core/submit/FinalConfirmPage.h"
#include "gui/app/HtmlView.h"

namespace nuvo {
namespace {

// Selecting a photo shows its picture large, marks its thumbnail "is-on" and dims the others;
// the caption's link hides the caption; every other in-page link stays where it is.
constexpr char kLinkHandler[] = R"js((function () {
  if (window.__zsLinks) return;
  window.__zsLinks = true;
  var prefix = '%1', close = '%2', dimmed = %3;
  function opacity(img, percent) {
    img.style.filter = 'alpha(opacity=' + percent + ')';
    img.style.opacity = String(percent / 100);
  }
  function select(link) {
    var large = document.getElementsByName('__zs_product_image_first')[0];
    if (large && link.getAttribute('data-image')) large.src = link.getAttribute('data-image');
    var items = document.querySelectorAll('.ProductImage__thumbnail');
    for (var i = 0; i < items.length; ++i) {
      var on = items[i].contains(link);
      items[i].classList.toggle('is-on', on);
      var thumb = items[i].querySelector('img');
      if (thumb) opacity(thumb, on ? 100 : dimmed);
    }
  }
  document.addEventListener('click', function (event) {
    var link = event.target.closest ? event.target.closest('a') : null;
    if (!link) return;
    var href = link.getAttribute('href') || '';
    if (href.charAt(0) !== '#') return;
    event.preventDefault();
    if (href.indexOf(prefix) === 0) {
      select(link);
    } else if (href === close) {
      var caption = document.getElementsByName('__zs_product_image_caption_first')[0];
      if (caption) caption.style.display = 'none';
    }
  }, true);
})();)js";

}  // namespace

CFinalConfirmBasePage::CFinalConfirmBasePage(QWidget* parent)
    : QWidget(parent), view_(new CHtmlCommView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  view_->CommPage().SetLocked(true);
  // The page is a local file that shows the service's photos and style sheets.
  view_->CommPage().settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls,
                                             true);
  connect(&view_->CommPage(), &QWebEnginePage::loadFinished, this,
          &CFinalConfirmBasePage::InstallLinkHandler);
}

bool CFinalConfirmBasePage::Show(const std::string& html) {
  if (!folder_.isValid()) return false;
  const QString path =
      folder_.filePath(QString::fromLatin1(kDocumentName) + QStringLiteral(".htm"));
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(html.data(), static_cast<qint64>(html.size())) !=
          static_cast<qint64>(html.size()) ||
      !file.commit()) {
    return false;
  }
  view_->Navigate(QUrl::fromLocalFile(path));
  return true;
}

void CFinalConfirmBasePage::InstallLinkHandler(bool ok) {
  if (!ok) return;
  const QString script =
      QString::fromLatin1(kLinkHandler)
          .arg(QString::fromLatin1(kThumbnailLinkPrefix), QString::fromLatin1(kCloseCaptionLink))
          .arg(kDimmedThumbnailOpacity);
  view_->page()->runJavaScript(script, [this](const QVariant&) { emit Ready(); });
}

}  // namespace nuvo

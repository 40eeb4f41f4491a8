#pragma once

#include <QTemporaryDir>
#include <QWidget>
#include <string>

namespace nuvo {

class CHtmlCommView;

// The tab page that shows the rewritten confirmation page. The page is written to a file of
// its own ("final_confirm_preview.htm" in a temporary folder the page owns) and shown in a
// locked view, so nothing on it can lead elsewhere; the view itself answers the gallery's
// links, selecting a photo or closing the caption.
class CFinalConfirmBasePage : public QWidget {
  Q_OBJECT

 public:
  explicit CFinalConfirmBasePage(QWidget* parent = nullptr);

  // Shows `html` (code page 932, a whole page); false when the file could not be written.
  bool Show(const std::string& html);

  CHtmlCommView& View() { return *view_; }
  static constexpr char kDocumentName[] = "final_confirm_preview";

 signals:
  // The page has loaded and its links answer.
  void Ready();

 private:
  void InstallLinkHandler(bool ok);

  QTemporaryDir folder_;
  CHtmlCommView* view_;
};

}  // namespace nuvo

#pragma once

#include <QDialog>

class QButtonGroup;

// The layout settings ("編集画面のレイアウト設定"): where the preview stands beside the listing
// pane. It edits one preview placement and owns only its controls; the frame keeps the layout it
// was made with, so a new one shows from the next start.
namespace nuvo {

class CLayoutDialog : public QDialog {
  Q_OBJECT

 public:
  CLayoutDialog(int previewPos, QWidget* parent);

  // 0..3 for the splitter layouts, 4 for the separate preview window.
  int PreviewPos() const;

 private:
  QButtonGroup* choices_;
};

}  // namespace nuvo

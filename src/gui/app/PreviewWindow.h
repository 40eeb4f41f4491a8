#pragma once

#include <QDialog>

#include "gui/app/HtmlView.h"

// The separate preview window of the layout without a splitter: a modeless window beside the
// main window that carries the preview frame. Closing it only hides it.
namespace nuvo {

class CPreviewWndDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CPreviewWndDialog(QWidget* owner);

  CHtmlFrame& Frame() { return *frame_; }

 private:
  CHtmlFrame* frame_;
};

}  // namespace nuvo

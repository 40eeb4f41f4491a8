#pragma once

#include <QWidget>

#include "core/app/DialogPlacement.h"

class QComboBox;

namespace nuvo {

// The choice "ウインドウの配置位置" of a submission dialog: a label and a list of the places the
// dialog may open at. It edits the dialog's placement, which it does not own, and tells the
// dialog so that the window moves at once.
class CPlacementChoiceBox : public QWidget {
  Q_OBJECT

 public:
  CPlacementChoiceBox(CDialogPlacement& placement, QWidget* parent = nullptr);

  QComboBox& Choices() { return *choices_; }

 signals:
  void Changed();

 private:
  CDialogPlacement& placement_;
  QComboBox* choices_;
};

}  // namespace nuvo

#pragma once

#include <QDialog>

#include "core/app/DialogPlacement.h"

namespace nuvo {

class CPlacementChoiceBox;

// A dialog of the submission that opens where the seller chose under "ウインドウの配置位置"
// and remembers where it was left when it closes. It owns its copy of the placement; the caller
// hands the stored one in before showing it and takes it back afterwards.
class CPlacedDialog : public QDialog {
  Q_OBJECT

 public:
  CPlacedDialog(CDialogPlacement placement, QWidget* parent);

  // Takes `placement` and moves the dialog there.
  void SetPlacement(const CDialogPlacement& placement);
  const CDialogPlacement& Placement() const { return placement_; }

  void done(int result) override;

 protected:
  // Moves the dialog to its placement; derived dialogs call it once their layout is built.
  void Apply();
  // The choice of the dialog's placement, for the dialog's layout; a change moves the window.
  CPlacementChoiceBox* MakeChoiceBox(QWidget* parent);

 private:
  CDialogPlacement placement_;
  CPlacementChoiceBox* choiceBox_ = nullptr;
};

}  // namespace nuvo

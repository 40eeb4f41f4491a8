#pragma once

#include <string>

#include "gui/submit/PlacedDialog.h"

class QCheckBox;

namespace nuvo {

class CFinalConfirmBasePage;
class IUserPrompt;

// The dialog "出品の最終確認": the service's confirmation page, rewritten, for the seller to
// check before the listing is posted. OK goes on to post it; Cancel ends the run. The seller may
// also ask not to be shown the dialog again; the caller turns the option off when it closes. A
// second tab page chooses where the dialog opens.
class CFinalConfirmDialog : public CPlacedDialog {
  Q_OBJECT

 public:
  // `html` is the rewritten confirmation page (code page 932).
  CFinalConfirmDialog(const std::string& html, IUserPrompt& prompt, QWidget* parent = nullptr);

  bool DontShowAgain() const;
  CFinalConfirmBasePage& Page() { return *page_; }

  static constexpr int kDefaultWidth = 900;
  static constexpr int kDefaultHeight = 760;

 private:
  void OnDontShowToggled(bool checked);

  IUserPrompt& prompt_;
  CFinalConfirmBasePage* page_;
  QCheckBox* dontShow_;
};

}  // namespace nuvo

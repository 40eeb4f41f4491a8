#pragma once

#include <QWidget>

#include "core/app/AppComm.h"
#include "core/common/UserPrompt.h"
#include "core/decorate/DecorateCommands.h"

// The dialogs of the decoration commands: the colour dialog "文字色の設定", with the sixteen
// colours of the page, the standard colour and a colour of the seller's own, which remembers its
// choice in the settings; and the link dialog "ハイパーリンクの設定", whose three tabs link a page,
// a mail address or a page of the auction service, and which refuses what a page cannot link.
// Holds links to the parent window, the prompt and the settings.
namespace nuvo {

class CDecorateDialogs : public IDecorateDialogs {
 public:
  CDecorateDialogs(QWidget* parent, IUserPrompt& prompt, CAppComm& app)
      : parent_(parent), prompt_(prompt), app_(app) {}

  std::optional<int> ChooseColor(int initial) override;
  std::optional<std::string> ChooseLink(const std::string& initial) override;

 private:
  QWidget* parent_;
  IUserPrompt& prompt_;
  CAppComm& app_;
};

}  // namespace nuvo

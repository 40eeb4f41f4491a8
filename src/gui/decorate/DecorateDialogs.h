#pragma once

#include <QWidget>

#include "core/common/UserPrompt.h"
#include "core/decorate/DecorateCommands.h"

// The dialogs of the decoration commands: the colour dialog "文字色の設定" with its standard
// colour, and the link dialog "ハイパーリンクの設定", which refuses addresses a page cannot link.
// Remembers the colour last chosen for the program's run. Holds links to the parent window and
// the prompt.
namespace nuvo {

class CDecorateDialogs : public IDecorateDialogs {
 public:
  CDecorateDialogs(QWidget* parent, IUserPrompt& prompt) : parent_(parent), prompt_(prompt) {}

  std::optional<int> ChooseColor(int initial) override;
  std::optional<std::string> ChooseLink(const std::string& initial) override;

  // Whether `address` may be linked; shows the reason when not.
  static bool CheckLinkAddress(const std::string& address, IUserPrompt& prompt);

 private:
  QWidget* parent_;
  IUserPrompt& prompt_;
  int remembered_ = 0x0000FF;  // red, the colour sellers reach for first
};

}  // namespace nuvo

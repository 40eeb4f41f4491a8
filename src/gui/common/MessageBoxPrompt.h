#pragma once

#include <QMessageBox>
#include <QString>

#include "core/common/UserPrompt.h"

class QWidget;

namespace nuvo {

// The message box icon for a prompt's icon: the exclamation unless another is named.
QMessageBox::Icon MessageBoxIcon(PromptIcon icon);

// Answers the core's questions with a modal QMessageBox: the program title as caption and the
// exclamation icon when the request names none.
class CMessageBoxPrompt : public IUserPrompt {
 public:
  explicit CMessageBoxPrompt(QWidget* parent = nullptr, QString title = QStringLiteral("ぬぼ"))
      : parent_(parent), title_(std::move(title)) {}

  PromptAnswer Ask(const PromptRequest& request) override;

 private:
  QWidget* parent_;
  QString title_;
};

}  // namespace nuvo

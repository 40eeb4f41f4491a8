#pragma once

#include <QString>

#include "core/common/UserPrompt.h"

class QWidget;

namespace nuvo {

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

#include "gui/common/MessageBoxPrompt.h"

#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "gui/common/QtText.h"

namespace nuvo {
namespace {

struct Choice {
  QMessageBox::StandardButton button;
  PromptAnswer answer;
};

std::vector<Choice> ChoicesFor(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return {{QMessageBox::Ok, PromptAnswer::Ok}};
    case PromptButtons::OkCancel:
      return {{QMessageBox::Ok, PromptAnswer::Ok}, {QMessageBox::Cancel, PromptAnswer::Cancel}};
    case PromptButtons::YesNo:
      return {{QMessageBox::Yes, PromptAnswer::Yes}, {QMessageBox::No, PromptAnswer::No}};
    case PromptButtons::YesNoCancel:
      return {{QMessageBox::Yes, PromptAnswer::Yes},
              {QMessageBox::No, PromptAnswer::No},
              {QMessageBox::Cancel, PromptAnswer::Cancel}};
    case PromptButtons::RetryCancel:
      return {{QMessageBox::Retry, PromptAnswer::Retry},
              {QMessageBox::Cancel, PromptAnswer::Cancel}};
  }
  return {{QMessageBox::Ok, PromptAnswer::Ok}};
}

QString ButtonText(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Yes:
      return QStringLiteral("はい(&Y)");
    case QMessageBox::No:
      return QStringLiteral("いいえ(&N)");
    case QMessageBox::Cancel:
      return QStringLiteral("キャンセル");
    case QMessageBox::Retry:
      return QStringLiteral("再試行(&R)");
    default:
      return QStringLiteral("OK");
  }
}

}  // namespace

QMessageBox::Icon MessageBoxIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::Error:
      return QMessageBox::Critical;
    case PromptIcon::Default:
    case PromptIcon::Exclamation:
      break;
  }
  return QMessageBox::Warning;
}

PromptAnswer CMessageBoxPrompt::Ask(const PromptRequest& request) {
  QString text = request.shownText.empty() ? ToQString(request.text)
                                           : QString::fromStdString(request.shownText);
  QMessageBox box(MessageBoxIcon(request.icon), title_, text, QMessageBox::NoButton, parent_);
  const std::vector<Choice> choices = ChoicesFor(request.buttons);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    QPushButton* button = box.addButton(choices[i].button);
    button->setText(ButtonText(choices[i].button));
    if (static_cast<int>(i) == request.defaultButton) box.setDefaultButton(button);
  }
  const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
  for (const Choice& choice : choices) {
    if (choice.button == pressed) return choice.answer;
  }
  // Closing the box with Escape or the title bar is the cancelling answer.
  return choices.size() == 1
             ? choices.front().answer
             : (request.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel);
}

}  // namespace nuvo

#include "gui/common/MessageBoxPrompt.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "core/common/Encoding.h"

using namespace nuvo;

namespace {

struct Seen {
  QString title, text, defaultText;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
};

// Reads the box once it is shown, then presses the button with `press` as its text.
Seen AnswerWith(const QString& press, CMessageBoxPrompt& prompt, const PromptRequest& request,
                PromptAnswer& answer) {
  Seen seen;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons << button->text();
      if (button->text() == press) button->click();
    }
  });
  answer = prompt.Ask(request);
  return seen;
}

}  // namespace

TEST(MessageBoxPrompt, ShowsTheTextUnderTheProgramTitleWithTheExclamationByDefault) {
  CMessageBoxPrompt prompt;
  PromptAnswer answer{};
  Seen seen = AnswerWith("OK", prompt, {806, Cp932("ぬぼ型ファイルが見つかりません。")}, answer);
  EXPECT_EQ(seen.title, "ぬぼ");
  EXPECT_EQ(seen.text, "ぬぼ型ファイルが見つかりません。");
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(answer, PromptAnswer::Ok);
}

TEST(MessageBoxPrompt, AsksWithJapaneseButtonsAndTheRequestedDefault) {
  CMessageBoxPrompt prompt;
  PromptAnswer answer{};
  PromptRequest request{916, Cp932("空の項目があります。削除しますか？"),
                        PromptButtons::YesNoCancel, PromptIcon::Question, 1};
  Seen seen = AnswerWith("いいえ(&N)", prompt, request, answer);
  EXPECT_EQ(seen.icon, QMessageBox::Question);
  EXPECT_EQ(seen.defaultText, "いいえ(&N)");
  EXPECT_TRUE(seen.buttons.contains("キャンセル"));
  EXPECT_EQ(answer, PromptAnswer::No);

  request.buttons = PromptButtons::RetryCancel;
  AnswerWith("再試行(&R)", prompt, request, answer);
  EXPECT_EQ(answer, PromptAnswer::Retry);
}

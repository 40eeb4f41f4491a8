#include "gui/decorate/FindDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/MessageIds.h"
#include "gui/common/QtText.h"
#include "gui/decorate/DecorateEditView.h"
#include "gui/editing/TextBoxLink.h"

namespace nuvo {
namespace {

// Whether the last search told case apart: the repeated searches of F3 follow it for the run.
bool lastMatchCase = false;

// Past the last match the selection stays where it is, and the seller is told which text was not
// found: a beep alone does not say whether the search ran at all.
bool FindIn(CDecorateEditView* editor, const std::string& text, bool matchCase, bool forward,
            IUserPrompt& prompt) {
  if (editor->Commands().FindNext(text, matchCase, forward)) {
    editor->SetSelection(editor->Editor().SelectionStart(), editor->Editor().SelectionEnd());
    return true;
  }
  ShowMessage(prompt, IDS_TEXT_NOT_FOUND, {text}, PromptIcon::Information);
  return false;
}

}  // namespace

CFindDialog::CFindDialog(CDecorateEditView* editor, bool replace, CAppComm& app,
                         IUserPrompt& prompt, QWidget* parent)
    : QDialog(parent),
      editor_(editor),
      app_(app),
      prompt_(prompt),
      history_(CFindHistory::Load(app)) {
  setObjectName(QStringLiteral("findDialog"));
  setWindowTitle(replace ? QStringLiteral("置換") : QStringLiteral("検索"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  find_ = new QComboBox;
  find_->setObjectName(QStringLiteral("findText"));
  find_->setEditable(true);
  find_->setInsertPolicy(QComboBox::NoInsert);
  find_->setMinimumContentsLength(24);
  for (const std::string& entry : history_.Entries()) find_->addItem(ToQString(entry));
  // The selected text is what a seller usually means to look for.
  const std::string selected = editor ? editor->Editor().SelectedText() : std::string();
  if (!selected.empty() && selected.find('\n') == std::string::npos) {
    find_->setEditText(ToQString(selected));
  }
  form->addRow(QStringLiteral("検索する文字列(&N):"), find_);
  replace_ = new QLineEdit;
  replace_->setObjectName(QStringLiteral("replaceText"));
  if (replace) form->addRow(QStringLiteral("置換後の文字列(&P):"), replace_);
  replace_->setVisible(replace);
  layout->addLayout(form);
  matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"));
  matchCase_->setChecked(lastMatchCase);
  layout->addWidget(matchCase_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* next =
      buttons->addButton(QStringLiteral("次を検索(&F)"), QDialogButtonBox::ActionRole);
  next->setObjectName(QStringLiteral("findNext"));
  next->setDefault(true);
  QPushButton* previous =
      buttons->addButton(QStringLiteral("前を検索(&B)"), QDialogButtonBox::ActionRole);
  connect(next, &QPushButton::clicked, this, [this] { Find(true); });
  connect(previous, &QPushButton::clicked, this, [this] { Find(false); });
  if (replace) {
    QPushButton* all =
        buttons->addButton(QStringLiteral("すべて置換(&A)"), QDialogButtonBox::ActionRole);
    all->setObjectName(QStringLiteral("replaceAll"));
    connect(all, &QPushButton::clicked, this, &CFindDialog::ReplaceAll);
  }
  buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::optional<std::string> CFindDialog::FindText() {
  const QString typed = find_->currentText();
  if (typed.isEmpty()) {
    ShowMessage(prompt_, IDS_NOTHING_ENTERED);
    return std::nullopt;
  }
  const std::optional<std::string> text = FromQString(typed);
  if (!text) {
    if (const std::optional<char32_t> refused = FindUnrepresentable(typed)) {
      RefuseCharacter(prompt_, *refused);
    }
    return std::nullopt;
  }
  history_.Add(*text);
  find_->clear();
  for (const std::string& entry : history_.Entries()) find_->addItem(ToQString(entry));
  find_->setCurrentIndex(0);
  lastMatchCase = matchCase_->isChecked();
  return text;
}

void CFindDialog::Find(bool forward) {
  const std::optional<std::string> text = FindText();
  if (!text || !editor_) return;
  FindIn(editor_, *text, matchCase_->isChecked(), forward, prompt_);
}

void CFindDialog::ReplaceAll() {
  const std::optional<std::string> text = FindText();
  if (!text || !editor_) return;
  const std::optional<std::string> replacement = FromQString(replace_->text());
  if (!replacement) {
    if (const std::optional<char32_t> refused = FindUnrepresentable(replace_->text())) {
      RefuseCharacter(prompt_, *refused);
    }
    return;
  }
  const int count =
      editor_->Commands().ReplaceAll(*text, *replacement, matchCase_->isChecked(), 0, 0);
  ShowMessage(prompt_, IDS_REPLACED_COUNT, {std::int64_t{count}}, PromptIcon::Information);
}

void CFindDialog::done(int result) {
  history_.Save(app_);
  QDialog::done(result);
}

bool CFindDialog::FindAgain(CDecorateEditView* editor, bool forward, CAppComm& app,
                            IUserPrompt& prompt) {
  const CFindHistory history = CFindHistory::Load(app);
  if (!editor || history.Entries().empty()) return false;
  return FindIn(editor, history.Entries().front(), lastMatchCase, forward, prompt);
}

}  // namespace nuvo

#include "gui/editing/TextBoxLink.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <memory>
#include <type_traits>

#include "core/common/MessageIds.h"
#include "core/document/NuvoDoc.h"
#include "gui/common/QtText.h"

namespace nuvo {

std::optional<char32_t> FindUnrepresentable(const QString& text) {
  if (FromQString(text)) return std::nullopt;
  for (char32_t character : text.toUcs4()) {
    if (!FromQString(QString::fromUcs4(&character, 1))) return character;
  }
  return std::nullopt;
}

void RefuseCharacter(IUserPrompt& prompt, char32_t character) {
  // The character cannot travel in code page 932: the message is filled with a stand-in that
  // the shown text replaces by the character itself; the code page 932 text names its code.
  const std::string standIn = "\x01";
  QString shown = ToQString(FormatMessageId(IDS_UNREPRESENTABLE_CHAR, {standIn}));
  shown.replace(QChar(1), QString::fromUcs4(&character, 1));
  std::string code =
      "U+" + QString::number(static_cast<uint>(character), 16).toUpper().toStdString();
  PromptRequest request{IDS_UNREPRESENTABLE_CHAR,
                        FormatMessageId(IDS_UNREPRESENTABLE_CHAR, {code})};
  request.shownText = shown.toStdString();
  prompt.Ask(request);
}

void GuardCharacters(QLineEdit* box, IUserPrompt& prompt) {
  auto accepted = std::make_shared<QString>(box->text());
  QObject::connect(box, &QLineEdit::textChanged, box,
                   [box, &prompt, accepted](const QString& text) {
                     std::optional<char32_t> refused = FindUnrepresentable(text);
                     if (!refused) {
                       *accepted = text;
                       return;
                     }
                     box->setText(*accepted);
                     RefuseCharacter(prompt, *refused);
                   });
}

namespace {

class CUndoKeyFilter : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
      return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo)) return false;
    // Not overriding the shortcut lets the frame's action have the keys; the box never sees them.
    event->ignore();
    return true;
  }
};

}  // namespace

void LeaveUndoToTheListing(QWidget* box) {
  box->installEventFilter(new CUndoKeyFilter(box));
  if (auto* edit = qobject_cast<QPlainTextEdit*>(box)) edit->setUndoRedoEnabled(false);
}

std::size_t ByteOffset(const QString& text, int position) {
  return FromQString(text.left(position)).value_or(std::string()).size();
}

int CharPosition(const std::string& cp932, std::size_t offset) {
  return static_cast<int>(ToQString(cp932.substr(0, offset)).size());
}

CTextBoxLink::CTextBoxLink(Box box, CNuvoDoc& doc, IUserPrompt& prompt, Store store)
    : QObject(std::visit([](auto* edit) -> QWidget* { return edit; }, box)),
      box_(box),
      prompt_(prompt),
      store_(std::move(store)),
      listener_(doc, *this) {
  std::visit(
      [this](auto* edit) {
        using Edit = std::remove_pointer_t<decltype(edit)>;
        LeaveUndoToTheListing(edit);
        connect(edit, &Edit::textChanged, this, &CTextBoxLink::OnTextChanged);
        connect(edit, &Edit::selectionChanged, this, &CTextBoxLink::OnSelectionMoved);
        connect(edit, &Edit::cursorPositionChanged, this, &CTextBoxLink::OnSelectionMoved);
      },
      box_);
}

QString CTextBoxLink::BoxText() const {
  if (auto* line = std::get_if<QLineEdit*>(&box_)) return (*line)->text();
  return std::get<QPlainTextEdit*>(box_)->toPlainText();
}

void CTextBoxLink::ShowInBox(const QString& text, int start, int end) {
  loading_ = true;
  if (auto* line = std::get_if<QLineEdit*>(&box_)) {
    (*line)->setText(text);
    (*line)->setSelection(start, end - start);
  } else {
    QPlainTextEdit* edit = std::get<QPlainTextEdit*>(box_);
    edit->setPlainText(text);
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
  }
  loading_ = false;
  shown_ = text;
  selection_ = BoxSelection();
}

TextRange CTextBoxLink::BoxSelection() const {
  QString text = BoxText();
  int start = 0;
  int end = 0;
  if (auto* line = std::get_if<QLineEdit*>(&box_)) {
    start = (*line)->hasSelectedText() ? (*line)->selectionStart() : (*line)->cursorPosition();
    end = (*line)->hasSelectedText() ? (*line)->selectionEnd() : start;
  } else {
    QTextCursor cursor = std::get<QPlainTextEdit*>(box_)->textCursor();
    start = cursor.selectionStart();
    end = cursor.selectionEnd();
  }
  return {ByteOffset(text, start), ByteOffset(text, end)};
}

void CTextBoxLink::Load(const std::string& stored) {
  if (TakesMarkup()) {
    text_ = stored;
  } else {
    field_.Load(stored);
    text_ = field_.PlainText();
  }
  QString shown = ToQString(text_);
  if (shown == BoxText()) return;
  ShowInBox(shown, 0, 0);
}

void CTextBoxLink::SetText(const std::string& text, TextRange selection) {
  StoreText(text);
  ShowInBox(ToQString(text), CharPosition(text, selection.start),
            CharPosition(text, selection.end));
}

void CTextBoxLink::StoreText(const std::string& text) {
  text_ = text;
  store_(TakesMarkup() ? text_ : field_.Edit(text_));
}

void CTextBoxLink::OnSelectionMoved() {
  // While a change is under way the box reports the cursor of the new text; the selection the
  // change started from is the one seen last while the text stood still.
  if (!loading_ && BoxText() == shown_) selection_ = BoxSelection();
}

void CTextBoxLink::OnTextChanged() {
  if (loading_) return;
  QString now = BoxText();
  if (now == shown_) return;
  if (std::optional<char32_t> refused = FindUnrepresentable(now)) {
    ShowInBox(shown_, CharPosition(text_, selection_.start), CharPosition(text_, selection_.end));
    RefuseCharacter(prompt_, *refused);
    return;
  }
  CEditStep step{CEditStep::kTyping, text_, *FromQString(now), selection_, BoxSelection()};
  shown_ = now;
  text_ = step.after;
  selection_ = step.selectionAfter;
  StoreText(text_);
  listener_.OnEditStep(step);
}

}  // namespace nuvo

#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "core/common/UserPrompt.h"
#include "core/decorate/DecoratedFieldText.h"
#include "core/editing/EditBoxListener.h"

class QLineEdit;
class QPlainTextEdit;

// Ties one text box of the sheet to one text field of the listing. Each change typed or pasted
// into the box is written to the field and recorded in the listing's undo history; undo and redo
// put the text back into the box and the field. A character that code page 932 cannot hold is
// refused where it is typed or pasted, with a message, and the box keeps its earlier text. The
// field is a decorated one unless told otherwise: the box shows its text and what is typed goes
// through the fragment writer. The link watches the box without owning it; the box owns the link
// as a child object.
namespace nuvo {

class CNuvoDoc;

// The first character of `text` that code page 932 cannot hold.
std::optional<char32_t> FindUnrepresentable(const QString& text);
// Tells the seller that `character` cannot be used.
void RefuseCharacter(IUserPrompt& prompt, char32_t character);

// Makes `box` refuse, with the message, a character that code page 932 cannot hold as soon as it
// is typed or pasted; the box keeps its earlier text.
void GuardCharacters(QLineEdit* box, IUserPrompt& prompt);

// Makes Ctrl+Z and Ctrl+Y in `box` walk the listing's one history (the frame's Edit menu)
// instead of the box's own, which would record its steps as new edits.
void LeaveUndoToTheListing(QWidget* box);

// Byte offset in the code page 932 form of `text` of the character position `position`.
std::size_t ByteOffset(const QString& text, int position);
// Character position in `text` of the byte offset `offset` of its code page 932 form.
int CharPosition(const std::string& cp932, std::size_t offset);

class CTextBoxLink : public QObject, public IEditBox {
  Q_OBJECT

 public:
  using Store = std::function<void(const std::string&)>;

  using Box = std::variant<QLineEdit*, QPlainTextEdit*>;

  CTextBoxLink(Box box, CNuvoDoc& doc, IUserPrompt& prompt, Store store);

  // From now on the field takes markup as typed whenever `markup` says so.
  void TakeMarkupWhen(std::function<bool()> markup) { markup_ = std::move(markup); }

  // Shows the field's text as the listing holds it; records nothing.
  void Load(const std::string& stored);

  std::string GetText() const override { return text_; }
  void SetText(const std::string& text, TextRange selection) override;

 private:
  QString BoxText() const;
  void ShowInBox(const QString& text, int start, int end);
  TextRange BoxSelection() const;
  void OnSelectionMoved();
  void OnTextChanged();
  bool TakesMarkup() const { return markup_ && markup_(); }
  // Stores the box's text `text` into the field.
  void StoreText(const std::string& text);

  Box box_;
  IUserPrompt& prompt_;
  Store store_;
  std::function<bool()> markup_;
  CDecoratedFieldText field_;
  CEditBoxListener listener_;
  // What the box showed after the last accepted change, and the selection in it since.
  QString shown_;
  std::string text_;
  TextRange selection_;
  bool loading_ = false;
};

}  // namespace nuvo

#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QTimer>
#include <optional>
#include <string>

#include "core/decorate/DecorateCommands.h"
#include "core/decorate/DecorateEditor.h"
#include "core/decorate/DecorateLayout.h"
#include "gui/decorate/DecorateFontMeasure.h"

// The decorated editor as a control: lays the decorated text out, draws it as the page will show
// it (sizes, colours, bold, slant, lines, links, centred lines), keeps its own caret and
// selection, and turns keys, the input method, the mouse and the clipboard into changes of its
// editor. Each change is announced through changing() and changed(), with the record of the last
// change readable from Editor(), so that the host keeps the listing's history. Owns the editor,
// the layout, the fonts and the decoration commands; the dialogs and the prompt belong to the
// caller.
namespace nuvo {

// The clipboard type that carries decorated text between editors, as the HTML fragment in code
// page 932.
inline constexpr char kDecoratedMimeType[] = "application/x-nuvo-decorated";

class CDecorateEditView : public QAbstractScrollArea, private IDecorateEditListener {
  Q_OBJECT

 public:
  CDecorateEditView(int options, IDecorateDialogs& dialogs, IUserPrompt& prompt,
                    QWidget* parent = nullptr);
  ~CDecorateEditView() override;

  CDecorateEditor& Editor() { return editor_; }
  CDecorateCommands& Commands() { return commands_; }
  const CDecorateLayout& Layout() const { return layout_; }

  // Loads a fragment and lays everything out again; the result tells whether all was understood.
  bool SetHtml(const std::string& html);
  std::string GetHtml() const { return editor_.GetHtml(); }
  // The base size in tenths of a point, set from the settings before the text is loaded.
  void SetBaseSize(int size);

  // Selects the bytes [start, end) with the caret at the end, shows them and takes the focus.
  void SetSelection(int start, int end);

  // Runs a decoration or clipboard command (41101 to 41132) on this editor.
  void RunCommand(int id);

  void Copy();
  void Cut();
  void Paste();

  QString PreeditText() const { return preedit_; }
  // The caret's rectangle in the viewport.
  QRect CaretRect() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void changing(int code);
  void changed(int code);
  void overwriteToggled();
  // The caret, the selection or the typing style moved: command states may differ.
  void stateChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void BeforeChange(int code) override;
  void AfterChange(int code) override;
  void TextReplaced(int pos, int removed, int inserted) override;
  void DecorationChanged(int start, int end, bool relayout) override;
  void OverwriteToggled() override;

  // Whether the editor handles the key itself rather than leaving it to the window.
  bool IsOwnKey(const QKeyEvent& event) const;
  bool HandleMovement(const QKeyEvent& event);
  // Text from outside in code page 932; a character it cannot hold is refused with a message.
  std::optional<std::string> Convert(const QString& text);
  void MoveTo(int pos, bool extend);
  void MoveVertically(int lines, bool extend);
  int PosAtPoint(const QPoint& point) const;
  void UpdateScrollRange();
  void EnsureCaretVisible();
  void Changed();
  int TextWidth() const;
  void RestartBlink();

  CDecorateEditor editor_;
  CDecorateFontMeasure measure_;
  CDecorateLayout layout_;
  CDecorateCommands commands_;
  IUserPrompt& prompt_;
  QString preedit_;
  int goalX_ = -1;  // the x that up and down keep while they pass shorter lines
  bool dragging_ = false;
  bool caretShown_ = true;
  QTimer blink_;
};

}  // namespace nuvo

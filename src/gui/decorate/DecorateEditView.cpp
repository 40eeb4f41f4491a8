#include "gui/decorate/DecorateEditView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGlyphRun>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <algorithm>

#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "gui/common/QtText.h"

namespace nuvo {
namespace {

constexpr int kMargin = 4;
constexpr int kBlinkMs = 530;

QColor FromColorRef(int color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// The link colour of the listing page.
const QColor kLinkColor(0x00, 0x00, 0xEE);
const QColor kMarkColor(0xA0, 0xA0, 0xC0);

bool IsWideSpace(std::string_view text, int pos, int width) {
  return width == 2 && static_cast<unsigned char>(text[pos]) == 0x81 &&
         static_cast<unsigned char>(text[pos + 1]) == 0x40;
}

}  // namespace

CDecorateEditView::CDecorateEditView(int options, IDecorateDialogs& dialogs, IUserPrompt& prompt,
                                     QWidget* parent)
    : QAbstractScrollArea(parent),
      editor_(options),
      layout_(editor_.Doc(), measure_),
      commands_(editor_, dialogs, prompt),
      prompt_(prompt) {
  editor_.SetListener(this);
  setAttribute(Qt::WA_InputMethodEnabled);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(editor_.HasOption(kDecoMultiLine) ? Qt::ScrollBarAsNeeded
                                                               : Qt::ScrollBarAlwaysOff);
  blink_.setInterval(kBlinkMs);
  connect(&blink_, &QTimer::timeout, this, [this] {
    caretShown_ = !caretShown_;
    viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
  });
}

CDecorateEditView::~CDecorateEditView() { editor_.SetListener(nullptr); }

bool CDecorateEditView::SetHtml(const std::string& html) {
  const bool understood = editor_.SetHtml(html);
  UpdateScrollRange();
  viewport()->update();
  emit stateChanged();
  return understood;
}

void CDecorateEditView::SetBaseSize(int size) {
  if (!editor_.Doc().SetBaseSize(size)) return;
  layout_.LayoutAll();
  UpdateScrollRange();
  updateGeometry();
  viewport()->update();
}

int CDecorateEditView::TextWidth() const { return std::max(1, viewport()->width() - 2 * kMargin); }

QSize CDecorateEditView::sizeHint() const {
  if (editor_.HasOption(kDecoMultiLine)) return {400, 200};
  return {200, minimumSizeHint().height()};
}

QSize CDecorateEditView::minimumSizeHint() const {
  auto& measure = const_cast<CDecorateFontMeasure&>(measure_);
  const int base = editor_.Doc().GetBaseSize();
  const int line = measure.Ascent(base) + measure.Descent(base);
  const int lines = editor_.HasOption(kDecoMultiLine) ? 3 : 1;
  return {60, lines * line + 2 * kMargin + 2 * frameWidth()};
}

void CDecorateEditView::RunCommand(int id) {
  switch (id) {
    case ID_DECO_COPY:
      Copy();
      return;
    case ID_DECO_CUT:
      Cut();
      return;
    case ID_DECO_PASTE:
      Paste();
      return;
    case ID_DECO_SELECT_ALL:
      editor_.SelectAll();
      break;
    case ID_DECO_REDRAW:
      layout_.LayoutAll();
      UpdateScrollRange();
      break;
    case ID_DECO_DETECT:
      // Each proposed address is shown selected while the seller is asked about it.
      commands_.DetectUnlinkedAddresses([this] {
        EnsureCaretVisible();
        viewport()->repaint();
      });
      break;
    default:
      commands_.Run(id);
      break;
  }
  viewport()->update();
  Changed();
}

void CDecorateEditView::Copy() {
  if (!editor_.HasSelection()) return;
  auto* mime = new QMimeData;
  mime->setText(ToQString(editor_.SelectedText()));
  const std::string html = editor_.SelectedHtml();
  mime->setData(kDecoratedMimeType, QByteArray(html.data(), static_cast<qsizetype>(html.size())));
  QApplication::clipboard()->setMimeData(mime);
}

void CDecorateEditView::Cut() {
  if (!editor_.HasSelection()) return;
  Copy();
  editor_.DeleteSelection();
  Changed();
}

void CDecorateEditView::Paste() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return;
  const QByteArray decorated = mime->data(kDecoratedMimeType);
  if (!decorated.isEmpty()) {
    editor_.PasteHtml(decorated.toStdString());
  } else if (mime->hasHtml()) {
    // HTML of other programs goes through the fragment reader: what it does not know is dropped
    // and leaves its text.
    const auto html = Convert(mime->html());
    if (!html) return;
    editor_.PasteHtml(*html);
  } else if (mime->hasText()) {
    const auto text = Convert(mime->text());
    if (!text) return;
    editor_.PastePlain(*text);
  } else {
    return;
  }
  Changed();
}

std::optional<std::string> CDecorateEditView::Convert(const QString& text) {
  auto converted = FromQString(text);
  if (!converted) {
    ShowMessage(prompt_,
                text.size() > 1 ? IDS_PASTED_CHARACTER_REFUSED : IDS_TYPED_CHARACTER_REFUSED);
  }
  return converted;
}

// Layout and drawing.

void CDecorateEditView::TextReplaced(int pos, int removed, int inserted) {
  const int height = layout_.Height();
  const int count = layout_.LineCount();
  layout_.TextReplaced(pos, removed, inserted);
  const int first = std::max(0, layout_.LineOf(pos) - 1);
  const int top = layout_.Line(first).y + kMargin - verticalScrollBar()->value();
  if (height != layout_.Height() || count != layout_.LineCount()) {
    UpdateScrollRange();
    viewport()->update(0, top, viewport()->width(), viewport()->height() - top);
  } else {
    const DisplayLine& last =
        layout_.Line(std::min(layout_.LineCount() - 1, layout_.LineOf(pos + inserted) + 1));
    const int bottom = last.y + last.height + kMargin - verticalScrollBar()->value();
    viewport()->update(0, top, viewport()->width(), bottom - top);
  }
}

void CDecorateEditView::DecorationChanged(int start, int end, bool relayout) {
  const int height = layout_.Height();
  if (relayout) layout_.Relayout(start, end);
  const int scroll = verticalScrollBar()->value();
  const int top = layout_.Line(layout_.LineOf(start)).y + kMargin - scroll;
  int bottom = viewport()->height();
  if (height == layout_.Height()) {
    const DisplayLine& last = layout_.Line(layout_.LineOf(end));
    bottom = last.y + last.height + kMargin - scroll;
  } else {
    UpdateScrollRange();
  }
  viewport()->update(0, top, viewport()->width(), bottom - top);
}

void CDecorateEditView::UpdateScrollRange() {
  const int total = layout_.Height() + 2 * kMargin;
  verticalScrollBar()->setRange(0, std::max(0, total - viewport()->height()));
  verticalScrollBar()->setPageStep(viewport()->height());
  verticalScrollBar()->setSingleStep(measure_.Ascent(editor_.Doc().GetBaseSize()) +
                                     measure_.Descent(editor_.Doc().GetBaseSize()));
}

void CDecorateEditView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  layout_.SetWidth(TextWidth());
  UpdateScrollRange();
}

void CDecorateEditView::scrollContentsBy(int, int) { viewport()->update(); }

QRect CDecorateEditView::CaretRect() const {
  const int line = layout_.LineOf(editor_.Caret());
  const DisplayLine& l = layout_.Line(line);
  const int x = layout_.XOf(line, editor_.Caret()) + kMargin;
  const int y = l.y + kMargin - verticalScrollBar()->value();
  int width = 2;
  if (CDecorateEditor::Overwrite() && editor_.Caret() < l.end) {
    width = layout_.XOf(line, editor_.NextCharPos(editor_.Caret())) + kMargin - x;
  }
  return {x, y, width, l.height};
}

void CDecorateEditView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect dirty = event->rect();
  painter.fillRect(dirty, palette().base());
  const int scroll = verticalScrollBar()->value();
  const std::string& text = editor_.Doc().Text();
  const int selStart = editor_.SelectionStart();
  const int selEnd = editor_.SelectionEnd();
  const int caret = editor_.Caret();
  const int caretLine = layout_.LineOf(caret);
  const bool showWideSpace = editor_.HasOption(kDecoShowWideSpace);
  const bool showBreaks = editor_.HasOption(kDecoShowLineBreak);
  const QColor textColor = palette().color(QPalette::Text);
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightText = palette().color(QPalette::HighlightedText);

  const int firstLine = layout_.LineAtY(dirty.top() - kMargin + scroll);
  const int lastLine = layout_.LineAtY(dirty.bottom() - kMargin + scroll);
  for (int index = firstLine; index <= lastLine; ++index) {
    const DisplayLine& line = layout_.Line(index);
    const int top = line.y + kMargin - scroll;
    const qreal baseline = top + line.ascent;
    const CDecorateLocalStyle style(editor_.Doc().Ranges(), line.start, line.end + 1);
    const QString characters = ToQString(text.substr(line.start, line.end - line.start));
    int x = layout_.LineLeft(index) + kMargin;

    auto drawPreedit = [&] {
      const DecorateState state = style.At(std::max(line.start, caret - 1));
      const int size = state.size > 0 ? state.size : editor_.Doc().GetBaseSize();
      QFont font = measure_.Font(size, state.flags);
      font.setUnderline(true);
      painter.setFont(font);
      painter.setPen(textColor);
      painter.drawText(QPointF(x, baseline), preedit_);
      x += static_cast<int>(QFontMetricsF(font).horizontalAdvance(preedit_));
    };

    // Runs of characters in one style are drawn as one glyph run, each glyph at the place the
    // layout measured for it, so that the caret and the text never part.
    int qIndex = 0;
    for (int at = line.start; at < line.end;) {
      if (!preedit_.isEmpty() && index == caretLine && at == caret) drawPreedit();
      const DecorateState state = style.At(at);
      const bool selected = at >= selStart && at < selEnd;
      const int size = state.size > 0 ? state.size : editor_.Doc().GetBaseSize();
      const std::uint32_t flags = state.flags;
      QVector<QPointF> positions;
      QString run;
      int runStart = x;
      int pos = at;
      while (pos < line.end) {
        const int w = static_cast<int>(CharWidthAt(text, static_cast<std::size_t>(pos)));
        if (pos != at) {
          const DecorateState next = style.At(pos);
          if (next.flags != flags || next.size != state.size || next.color != state.color ||
              (pos >= selStart && pos < selEnd) != selected ||
              (!preedit_.isEmpty() && index == caretLine && pos == caret)) {
            break;
          }
        }
        const int advance = measure_.CharWidth(std::string_view(text).substr(pos, w), size, flags);
        if (showWideSpace && IsWideSpace(text, pos, w)) {
          painter.setPen(kMarkColor);
          painter.drawRect(x + 2, top + line.height - line.ascent * 3 / 4, advance - 5,
                           line.ascent * 3 / 4 - 3);
        } else if (qIndex < characters.size()) {
          positions.push_back(QPointF(x - runStart, 0));
          run.append(characters[qIndex]);
        }
        ++qIndex;
        x += advance;
        pos += w;
      }
      if (selected) painter.fillRect(runStart, top, x - runStart, line.height, highlight);
      QColor color = textColor;
      if (selected) {
        color = highlightText;
      } else if (state.color >= 0) {
        color = FromColorRef(state.color);
      } else if (flags & DECO_LINK) {
        color = kLinkColor;
      }
      if (!run.isEmpty()) {
        const QRawFont raw = QRawFont::fromFont(measure_.Font(size, flags));
        QGlyphRun glyphs;
        glyphs.setRawFont(raw);
        glyphs.setGlyphIndexes(raw.glyphIndexesForString(run));
        glyphs.setPositions(positions);
        painter.setPen(color);
        painter.drawGlyphRun(QPointF(runStart, baseline), glyphs);
      }
      // Lines are drawn across the whole run, spaces included, as the page draws them.
      if (flags & (DECO_UNDERLINE | DECO_LINK | DECO_STRIKE)) {
        const QFontMetricsF metrics(measure_.Font(size, flags));
        const qreal thickness = std::max<qreal>(1.0, metrics.lineWidth());
        if (flags & (DECO_UNDERLINE | DECO_LINK)) {
          painter.fillRect(QRectF(runStart, baseline + metrics.underlinePos() - thickness / 2,
                                  x - runStart, thickness),
                           color);
        }
        if (flags & DECO_STRIKE) {
          painter.fillRect(QRectF(runStart, baseline - metrics.strikeOutPos() - thickness / 2,
                                  x - runStart, thickness),
                           color);
        }
      }
      at = pos;
    }
    if (!preedit_.isEmpty() && index == caretLine && caret == line.end) drawPreedit();
    if (line.lineBreak) {
      const int markWidth = measure_.CharWidth(" ", editor_.Doc().GetBaseSize(), 0) + 2;
      if (line.end >= selStart && line.end < selEnd) {
        painter.fillRect(x, top, markWidth, line.height, highlight);
      }
      if (showBreaks) {
        // A small return arrow: down from the top, then left.
        painter.setPen(QPen(kMarkColor, 1));
        const int right = x + markWidth - 2;
        const int bottom = top + line.height - 3;
        const int mid = top + line.height / 3;
        painter.drawLine(right, mid, right, bottom);
        painter.drawLine(right, bottom, x + 1, bottom);
        painter.drawLine(x + 1, bottom, x + 4, bottom - 3);
        painter.drawLine(x + 1, bottom, x + 4, bottom + 3);
      }
    }
  }

  if (hasFocus() && caretShown_ && preedit_.isEmpty()) {
    const QRect rect = CaretRect();
    if (CDecorateEditor::Overwrite()) {
      painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      painter.fillRect(rect, Qt::white);
    } else {
      painter.fillRect(rect.adjusted(0, 0, -1, 0), textColor);
    }
  }
}

void CDecorateEditView::EnsureCaretVisible() {
  const int line = layout_.LineOf(editor_.Caret());
  const DisplayLine& l = layout_.Line(line);
  QScrollBar* bar = verticalScrollBar();
  const int top = l.y;
  const int bottom = l.y + l.height + 2 * kMargin;
  if (top < bar->value()) {
    bar->setValue(top);
  } else if (bottom > bar->value() + viewport()->height()) {
    bar->setValue(std::min(bar->maximum(), bottom - viewport()->height()));
  }
}

void CDecorateEditView::RestartBlink() {
  caretShown_ = true;
  if (hasFocus()) blink_.start();
}

void CDecorateEditView::Changed() {
  EnsureCaretVisible();
  RestartBlink();
  viewport()->update(CaretRect().adjusted(-1, 0, 1, 0));
  // The input method's candidate window follows the caret, in the size of the text there.
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImFont);
  emit stateChanged();
}

// Editor notifications.

void CDecorateEditView::BeforeChange(int code) { emit changing(code); }

void CDecorateEditView::AfterChange(int code) { emit changed(code); }

void CDecorateEditView::OverwriteToggled() {
  viewport()->update();
  emit overwriteToggled();
}

// Keyboard.

bool CDecorateEditView::event(QEvent* event) {
  // Keys the editor handles itself must not start the window's commands of the same keys; undo
  // and redo stay with the listing's history.
  if (event->type() == QEvent::ShortcutOverride && IsOwnKey(*static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  return QAbstractScrollArea::event(event);
}

namespace {

// The editor's own shortcuts, with the command each runs.
struct Shortcut {
  Qt::KeyboardModifiers modifiers;
  int key;
  int command;
};

const Shortcut kShortcuts[] = {
    {Qt::ControlModifier, Qt::Key_C, ID_DECO_COPY},
    {Qt::ControlModifier, Qt::Key_Insert, ID_DECO_COPY},
    {Qt::ControlModifier, Qt::Key_X, ID_DECO_CUT},
    {Qt::ShiftModifier, Qt::Key_Delete, ID_DECO_CUT},
    {Qt::ControlModifier, Qt::Key_V, ID_DECO_PASTE},
    {Qt::ShiftModifier, Qt::Key_Insert, ID_DECO_PASTE},
    {Qt::ControlModifier, Qt::Key_B, ID_DECO_BOLD},
    {Qt::ControlModifier, Qt::Key_I, ID_DECO_ITALIC},
    {Qt::ControlModifier, Qt::Key_U, ID_DECO_UNDERLINE},
    {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S, ID_DECO_STRIKE},
    {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_C, ID_DECO_COLOR},
    {Qt::ControlModifier, Qt::Key_Up, ID_DECO_GROW},
    {Qt::ControlModifier, Qt::Key_Down, ID_DECO_SHRINK},
    {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_L, ID_DECO_LINK},
    {Qt::ControlModifier, Qt::Key_A, ID_DECO_SELECT_ALL},
    {Qt::NoModifier, Qt::Key_F5, ID_DECO_REDRAW},
};

int ShortcutCommand(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers =
      event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  for (const Shortcut& shortcut : kShortcuts) {
    if (shortcut.key == event.key() && shortcut.modifiers == modifiers) return shortcut.command;
  }
  return 0;
}

}  // namespace

bool CDecorateEditView::IsOwnKey(const QKeyEvent& event) const {
  if (ShortcutCommand(event) != 0) return true;
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    return event.key() == Qt::Key_Home || event.key() == Qt::Key_End;
  }
  switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return editor_.HasOption(kDecoMultiLine);
    default:
      return !event.text().isEmpty() && event.text()[0].isPrint();
  }
}

void CDecorateEditView::keyPressEvent(QKeyEvent* event) {
  if (const int command = ShortcutCommand(*event)) {
    RunCommand(command);
    return;
  }
  if (HandleMovement(*event)) return;
  switch (event->key()) {
    case Qt::Key_Backspace:
      editor_.Backspace();
      break;
    case Qt::Key_Delete:
      editor_.DeleteForward();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A single-line editor leaves Enter to the dialog around it.
      if (!editor_.TypeLineBreak()) {
        event->ignore();
        return;
      }
      break;
    case Qt::Key_Insert:
      editor_.ToggleOverwrite();
      break;
    default: {
      const QString typed = event->text();
      if ((event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) || typed.isEmpty() ||
          !typed[0].isPrint()) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
      }
      if (const auto text = Convert(typed)) editor_.TypeText(*text);
      break;
    }
  }
  goalX_ = -1;
  Changed();
}

bool CDecorateEditView::HandleMovement(const QKeyEvent& event) {
  const bool extend = event.modifiers() & Qt::ShiftModifier;
  const bool ctrl = event.modifiers() & Qt::ControlModifier;
  const int caret = editor_.Caret();
  const DisplayLine& line = layout_.Line(layout_.LineOf(caret));
  switch (event.key()) {
    case Qt::Key_Left:
      MoveTo(
          !extend && editor_.HasSelection() ? editor_.SelectionStart() : editor_.PrevCharPos(caret),
          extend);
      return true;
    case Qt::Key_Right:
      MoveTo(
          !extend && editor_.HasSelection() ? editor_.SelectionEnd() : editor_.NextCharPos(caret),
          extend);
      return true;
    case Qt::Key_Home:
      MoveTo(ctrl ? 0 : line.start, extend);
      return true;
    case Qt::Key_End:
      MoveTo(ctrl ? editor_.Doc().GetLength() : line.end, extend);
      return true;
    case Qt::Key_Up:
      MoveVertically(-1, extend);
      return true;
    case Qt::Key_Down:
      MoveVertically(1, extend);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      const int step = viewport()->height() - 2 * kMargin;
      const int y = line.y + (event.key() == Qt::Key_PageUp ? -step : step);
      const int target = layout_.LineAtY(std::max(0, y));
      MoveVertically(target - layout_.LineOf(caret), extend);
      verticalScrollBar()->setValue(verticalScrollBar()->value() +
                                    (event.key() == Qt::Key_PageUp ? -step : step));
      return true;
    }
    default:
      return false;
  }
}

void CDecorateEditView::SetSelection(int start, int end) {
  editor_.MoveCaret(start, false);
  MoveTo(end, true);
  setFocus(Qt::OtherFocusReason);
}

void CDecorateEditView::MoveTo(int pos, bool extend) {
  editor_.MoveCaret(pos, extend);
  goalX_ = -1;
  viewport()->update();
  Changed();
}

void CDecorateEditView::MoveVertically(int lines, bool extend) {
  const int from = layout_.LineOf(editor_.Caret());
  if (goalX_ < 0) goalX_ = layout_.XOf(from, editor_.Caret());
  const int target = std::clamp(from + lines, 0, layout_.LineCount() - 1);
  const int goal = goalX_;
  editor_.MoveCaret(target == from && lines != 0
                        ? (lines < 0 ? layout_.Line(0).start : layout_.Line(target).end)
                        : layout_.PosAt(target, goal),
                    extend);
  goalX_ = goal;
  viewport()->update();
  Changed();
}

// Input method.

void CDecorateEditView::inputMethodEvent(QInputMethodEvent* event) {
  if (!event->commitString().isEmpty()) {
    if (const auto text = Convert(event->commitString())) editor_.TypeText(*text);
  }
  preedit_ = event->preeditString();
  viewport()->update();
  Changed();
  event->accept();
}

QVariant CDecorateEditView::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle:
      // The candidate window opens under the caret.
      return QRect(CaretRect().translated(viewport()->pos()));
    case Qt::ImFont: {
      const CDecorateCharRange style =
          editor_.PendingStyle() ? *editor_.PendingStyle() : editor_.StyleAtCaret();
      const int size = style.HasFlag(DECO_SIZE) ? style.Size() : editor_.Doc().GetBaseSize();
      return const_cast<CDecorateFontMeasure&>(measure_).Font(size, style.Flags());
    }
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
      return 0;
    case Qt::ImSurroundingText:
    case Qt::ImCurrentSelection:
      return QString();
    case Qt::ImHints:
      return static_cast<int>(editor_.HasOption(kDecoMultiLine) ? Qt::ImhMultiLine : Qt::ImhNone);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// Mouse.

int CDecorateEditView::PosAtPoint(const QPoint& point) const {
  const int line = layout_.LineAtY(point.y() - kMargin + verticalScrollBar()->value());
  return layout_.PosAt(line, point.x() - kMargin);
}

void CDecorateEditView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  dragging_ = true;
  MoveTo(PosAtPoint(event->position().toPoint()), event->modifiers() & Qt::ShiftModifier);
}

void CDecorateEditView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  editor_.MoveCaret(PosAtPoint(event->position().toPoint()), true);
  viewport()->update();
  Changed();
}

void CDecorateEditView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

void CDecorateEditView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const auto [start, end] = editor_.WordAt(PosAtPoint(event->position().toPoint()));
  editor_.SetSelection(start, end);
  viewport()->update();
  Changed();
}

void CDecorateEditView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  auto add = [&](QMenu* into, int id, const QString& text, bool enabled = true) {
    QAction* action = into->addAction(text, this, [this, id] { RunCommand(id); });
    action->setEnabled(enabled && commands_.IsEnabled(id));
    const bool checkable =
        id >= ID_DECO_BOLD && id <= ID_DECO_LINK && id != ID_DECO_GROW && id != ID_DECO_SHRINK;
    if (checkable || id == ID_DECO_CENTRE) {
      action->setCheckable(true);
      action->setChecked(commands_.IsChecked(id));
    }
  };
  add(&menu, ID_DECO_CUT, QStringLiteral("切り取り(&T)"));
  add(&menu, ID_DECO_COPY, QStringLiteral("コピー(&C)"));
  add(&menu, ID_DECO_PASTE, QStringLiteral("貼り付け(&P)"));
  menu.addSeparator();
  add(&menu, ID_DECO_SELECT_ALL, QStringLiteral("すべて選択(&A)"));
  menu.addSeparator();
  add(&menu, ID_DECO_BOLD, QStringLiteral("太字(&B)"));
  add(&menu, ID_DECO_ITALIC, QStringLiteral("斜体(&I)"));
  add(&menu, ID_DECO_UNDERLINE, QStringLiteral("下線(&U)"));
  add(&menu, ID_DECO_COLOR, QStringLiteral("文字色(&C)..."));
  QMenu* sizes = menu.addMenu(QStringLiteral("文字サイズ(&S)"));
  const char* sizeNames[] = {"最小(&X)",     "小さい(&S)",     "やや小さい - 標準(&A)",
                             "中くらい(&M)", "やや大きい(&G)", "大きい(&L)",
                             "最大(&E)"};
  for (int level = 0; level < 7; ++level) {
    add(sizes, ID_DECO_SIZE_1 + level, QString::fromUtf8(sizeNames[level]));
  }
  sizes->addSeparator();
  add(sizes, ID_DECO_GROW, QStringLiteral("大きく(&U)"));
  add(sizes, ID_DECO_SHRINK, QStringLiteral("小さく(&D)"));
  QMenu* links = menu.addMenu(QStringLiteral("ハイパーリンク(&H)"));
  add(links, ID_DECO_LINK, QStringLiteral("設定(&L)..."));
  add(links, ID_DECO_REMOVE_LINK, QStringLiteral("解除(&C)"));
  links->addSeparator();
  add(links, ID_DECO_DETECT, QStringLiteral("未設定アドレスの検出(&F)"));
  menu.addSeparator();
  add(&menu, ID_DECO_CLEAR, QStringLiteral("装飾の消去(&D)"));
  add(&menu, ID_DECO_CENTRE, QStringLiteral("センタリング(&T)"));
  menu.addSeparator();
  add(&menu, ID_DECO_REDRAW, QStringLiteral("再表示(&R)"));
  viewport()->setCursor(Qt::ArrowCursor);
  menu.exec(event->globalPos());
  viewport()->setCursor(Qt::IBeamCursor);
}

// Focus.

void CDecorateEditView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  RestartBlink();
  viewport()->update();
  emit stateChanged();
}

void CDecorateEditView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  // A message box or menu over the editor keeps the selection in view.
  const bool away =
      event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
  if (away && !editor_.HasOption(kDecoKeepSelection)) editor_.ClearSelection();
  viewport()->update();
}

}  // namespace nuvo

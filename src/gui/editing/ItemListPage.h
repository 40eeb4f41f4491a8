#pragma once

#include <array>
#include <cstdint>

#include "core/editing/RowCommands.h"
#include "gui/editing/SheetPage.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The rows of one of the template input's item lists: payment items and shipping items (a name
// and a text each) or other items (a text). Rows are added, deleted and moved by commands; typing
// in a row goes into the undo history through the row's text box links. The four row editors are
// made once and kept for the page's life, since the undo history links to their boxes.
namespace nuvo {

class CTextBoxLink;

class CItemListPage : public CSheetPage {
  Q_OBJECT

 public:
  CItemListPage(const SheetContext& context, ERowList list, QWidget* parent);

  void UpdateFromDocument(std::uint32_t mask) override;
  bool ShowFinding(const CSubmitFinding& finding) override;

 private:
  struct RowEditor {
    QWidget* frame = nullptr;
    QLineEdit* item = nullptr;
    QPlainTextEdit* detail = nullptr;
    CTextBoxLink* itemLink = nullptr;
    CTextBoxLink* detailLink = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
  };

  bool HasDetails() const { return list_ != ERowList::Other; }
  void BuildRow(std::size_t index);
  // Writes one text of row `index` into the listing, for the row's text box links.
  void StoreText(std::size_t index, bool detail, const std::string& text);

  ERowList list_;
  std::array<RowEditor, CNuvoDoc::kMaxListItems> rows_;
  QPushButton* add_ = nullptr;
  QLabel* empty_ = nullptr;
};

}  // namespace nuvo

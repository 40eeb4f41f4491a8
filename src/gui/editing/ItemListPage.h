#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "core/editing/RowCommands.h"
#include "gui/editing/SheetPage.h"

class QLabel;
class QPushButton;

// The rows of one of the template input's item lists: payment items and shipping items (a name
// and a text each) or other items (a text). Rows are added, deleted and moved by commands. Each
// text is written in a decorated editor, a single-line one for the name and the other item and a
// multi-line one for the text, and each change there goes into the undo history through the
// editor's field link. The row editors are made once and kept for the page's life, since the undo
// history links to them. Owns the dialogs its editors open.
namespace nuvo {

class CDecorateDialogs;
class CDecorateEditView;
class CDecoratedFieldLink;

class CItemListPage : public CSheetPage {
  Q_OBJECT

 public:
  CItemListPage(const SheetContext& context, ERowList list, QWidget* parent);
  ~CItemListPage() override;

  void UpdateFromDocument(std::uint32_t mask) override;
  bool ShowFinding(const CSubmitFinding& finding) override;

 private:
  struct RowEditor {
    QWidget* frame = nullptr;
    CDecorateEditView* item = nullptr;
    CDecorateEditView* detail = nullptr;
    CDecoratedFieldLink* itemLink = nullptr;
    CDecoratedFieldLink* detailLink = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
  };

  bool HasDetails() const { return list_ != ERowList::Other; }
  void BuildRow(std::size_t index);
  // Writes one text of row `index` into the listing, for the row's text box links.
  void StoreText(std::size_t index, bool detail, const std::string& text);

  ERowList list_;
  std::unique_ptr<CDecorateDialogs> dialogs_;
  std::array<RowEditor, CNuvoDoc::kMaxListItems> rows_;
  QPushButton* add_ = nullptr;
  QLabel* empty_ = nullptr;
};

}  // namespace nuvo

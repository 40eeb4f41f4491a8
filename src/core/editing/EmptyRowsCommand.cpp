#include "core/editing/EmptyRowsCommand.h"

#include <algorithm>

namespace nuvo {
namespace {

class CDeleteEmptyRowsCommand : public CEditCommand {
 public:
  CDeleteEmptyRowsCommand(CNuvoDoc& doc, ERowList list, std::vector<ListRow> before)
      : CEditCommand(doc), list_(list), before_(std::move(before)) {
    std::remove_copy_if(before_.begin(), before_.end(), std::back_inserter(after_), IsEmptyRow);
  }

 protected:
  // No pane deleted the items itself, so every step has the panes re-read the list.
  void Apply() override { Show(after_); }
  void Revert() override { Show(before_); }
  void Reapply() override { Show(after_); }

 private:
  void Show(const std::vector<ListRow>& rows) {
    SetRows(doc_, list_, rows);
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  std::vector<ListRow> before_;
  std::vector<ListRow> after_;
};

}  // namespace

bool IsEmptyRow(const ListRow& row) {
  if (const auto* text = std::get_if<std::string>(&row)) return text->empty();
  if (const auto* pair = std::get_if<CItemPair>(&row)) {
    return pair->item.empty() && pair->detail.empty();
  }
  return false;
}

std::unique_ptr<CEditCommand> MakeDeleteEmptyRowsCommand(CNuvoDoc& doc, ERowList list) {
  std::vector<ListRow> rows = GetRows(doc, list);
  if (std::none_of(rows.begin(), rows.end(), IsEmptyRow)) return nullptr;
  return std::make_unique<CDeleteEmptyRowsCommand>(doc, list, std::move(rows));
}

}  // namespace nuvo

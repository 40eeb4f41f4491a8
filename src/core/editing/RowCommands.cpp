#include "core/editing/RowCommands.h"

#include <algorithm>
#include <utility>

namespace nuvo {
namespace {

template <typename T>
std::vector<ListRow> ToRows(const std::vector<T>& items) {
  return std::vector<ListRow>(items.begin(), items.end());
}

template <typename T>
std::vector<T> FromRows(const std::vector<ListRow>& rows) {
  std::vector<T> items;
  for (const ListRow& row : rows) {
    if (const T* item = std::get_if<T>(&row)) items.push_back(*item);
  }
  return items;
}

ListRow EmptyRow(ERowList list) {
  switch (list) {
    case ERowList::Other:
      return std::string();
    case ERowList::Pay:
    case ERowList::Post:
      return CItemPair();
    case ERowList::Photos:
      return CPhotoRow();
    case ERowList::ShipMethods:
      return CShipMethod();
  }
  return std::string();
}

bool FitsList(const ListRow& row, ERowList list) { return row.index() == EmptyRow(list).index(); }

std::size_t RowCount(const CNuvoDoc& doc, ERowList list) { return GetRows(doc, list).size(); }

// Appends a row; undo takes away the row it appended. Walking the history in order, that row
// is the last again by the time it is undone, whatever moved in between.
class CAddRowCommand : public CEditCommand {
 public:
  CAddRowCommand(CNuvoDoc& doc, ERowList list, ListRow row)
      : CEditCommand(doc), list_(list), row_(std::move(row)) {}

 protected:
  void Apply() override {
    Append();
    SchedulePreview();
  }
  void Revert() override {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    if (index_ < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index_));
    SetRows(doc_, list_, rows);
    Notify();
  }
  void Reapply() override {
    Append();
    Notify();
  }

 private:
  void Append() {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    rows.push_back(row_);
    index_ = rows.size() - 1;
    SetRows(doc_, list_, rows);
  }
  void Notify() {
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  ListRow row_;
  std::size_t index_ = 0;
};

// Deletes a row, keeping all of it so that undo puts it back where it stood.
class CDeleteRowCommand : public CEditCommand {
 public:
  CDeleteRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index)
      : CEditCommand(doc), list_(list), index_(index) {}

 protected:
  void Apply() override {
    Remove();
    SchedulePreview();
  }
  void Revert() override {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    std::size_t at = std::min(index_, rows.size());
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), saved_);
    SetRows(doc_, list_, rows);
    Notify();
  }
  void Reapply() override {
    Remove();
    Notify();
  }

 private:
  void Remove() {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    if (index_ >= rows.size()) return;
    saved_ = std::move(rows[index_]);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index_));
    SetRows(doc_, list_, rows);
  }
  void Notify() {
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  std::size_t index_;
  ListRow saved_;
};

// Exchanges row `upper` with the one below it; the exchange is its own inverse, so execute,
// undo and redo all do the same.
class CMoveRowCommand : public CEditCommand {
 public:
  CMoveRowCommand(CNuvoDoc& doc, ERowList list, std::size_t upper)
      : CEditCommand(doc), list_(list), upper_(upper) {}

 protected:
  void Apply() override { Exchange(); }
  void Revert() override { Exchange(); }
  void Reapply() override { Exchange(); }

 private:
  void Exchange() {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    if (upper_ + 1 >= rows.size()) return;
    std::swap(rows[upper_], rows[upper_ + 1]);
    SetRows(doc_, list_, rows);
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  std::size_t upper_;
};

// Rewrites one row as a whole, as the sheets' row boxes do.
class CSetRowCommand : public CEditCommand {
 public:
  CSetRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index, ListRow row)
      : CEditCommand(doc), list_(list), index_(index), new_(std::move(row)) {}

 protected:
  void Apply() override {
    old_ = Write(new_);
    SchedulePreview();
  }
  void Revert() override {
    Write(old_);
    Notify();
  }
  void Reapply() override {
    Write(new_);
    Notify();
  }

 private:
  // Writes `row` in place and returns what stood there.
  ListRow Write(const ListRow& row) {
    std::vector<ListRow> rows = GetRows(doc_, list_);
    if (index_ >= rows.size()) return row;
    ListRow before = std::exchange(rows[index_], row);
    SetRows(doc_, list_, rows);
    return before;
  }
  void Notify() {
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  std::size_t index_;
  ListRow new_;
  ListRow old_;
};

}  // namespace

std::uint32_t RowListMask(ERowList list) {
  switch (list) {
    case ERowList::Other:
      return change::kOtherItems;
    case ERowList::Pay:
      return change::kPayItems;
    case ERowList::Photos:
      return change::kPhotos;
    case ERowList::Post:
      return change::kPostItems;
    case ERowList::ShipMethods:
      return change::kShipMethods;
  }
  return 0;
}

std::vector<ListRow> GetRows(const CNuvoDoc& doc, ERowList list) {
  switch (list) {
    case ERowList::Other:
      return ToRows(doc.GetOtherItems());
    case ERowList::Pay:
      return ToRows(doc.GetPayItems());
    case ERowList::Post:
      return ToRows(doc.GetPostItems());
    case ERowList::ShipMethods:
      return ToRows(doc.GetShipping().methods);
    case ERowList::Photos: {
      std::vector<std::string> names = doc.GetPhotoNames();
      std::vector<PixelSize> sizes = doc.GetPhotoSizes();
      std::vector<std::string> details = doc.GetPhotoDetails();
      const std::vector<CPhotoData>& data = doc.GetPhotoData();
      std::size_t count = std::min({names.size(), sizes.size(), details.size(), data.size()});
      std::vector<ListRow> rows;
      for (std::size_t i = 0; i < count; ++i) {
        rows.push_back(CPhotoRow{{names[i], sizes[i], details[i]}, data[i]});
      }
      return rows;
    }
  }
  return {};
}

void SetRows(CNuvoDoc& doc, ERowList list, const std::vector<ListRow>& rows) {
  switch (list) {
    case ERowList::Other:
      doc.SetOtherItems(FromRows<std::string>(rows));
      break;
    case ERowList::Pay:
      doc.SetPayItems(FromRows<CItemPair>(rows));
      break;
    case ERowList::Post:
      doc.SetPostItems(FromRows<CItemPair>(rows));
      break;
    case ERowList::ShipMethods: {
      CShipSettings shipping = doc.GetShipping();
      shipping.methods = FromRows<CShipMethod>(rows);
      doc.SetShipping(shipping);
      break;
    }
    case ERowList::Photos: {
      std::vector<std::string> names;
      std::vector<PixelSize> sizes;
      std::vector<std::string> details;
      std::vector<CPhotoData> data;
      for (const CPhotoRow& photo : FromRows<CPhotoRow>(rows)) {
        names.push_back(photo.entry.name);
        sizes.push_back(photo.entry.size);
        details.push_back(photo.entry.detail);
        data.push_back(photo.data);
      }
      doc.SetPhotos(names, sizes, details, std::move(data));
      break;
    }
  }
}

std::unique_ptr<CEditCommand> MakeAddRowCommand(CNuvoDoc& doc, ERowList list) {
  return std::make_unique<CAddRowCommand>(doc, list, EmptyRow(list));
}

std::unique_ptr<CEditCommand> MakeAddPhotoCommand(CNuvoDoc& doc, CPhotoRow photo) {
  return std::make_unique<CAddRowCommand>(doc, ERowList::Photos, std::move(photo));
}

std::unique_ptr<CEditCommand> MakeDeleteRowCommand(CNuvoDoc& doc, ERowList list,
                                                   std::size_t index) {
  if (index >= RowCount(doc, list)) return nullptr;
  return std::make_unique<CDeleteRowCommand>(doc, list, index);
}

std::unique_ptr<CEditCommand> MakeMoveRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index,
                                                 EMoveDirection direction) {
  std::size_t count = RowCount(doc, list);
  if (direction == EMoveDirection::Up) {
    if (index == 0 || index >= count) return nullptr;
    return std::make_unique<CMoveRowCommand>(doc, list, index - 1);
  }
  if (index + 1 >= count) return nullptr;
  return std::make_unique<CMoveRowCommand>(doc, list, index);
}

std::unique_ptr<CEditCommand> MakeSetRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index,
                                                ListRow row) {
  if (!FitsList(row, list) || index >= RowCount(doc, list)) return nullptr;
  return std::make_unique<CSetRowCommand>(doc, list, index, std::move(row));
}

}  // namespace nuvo

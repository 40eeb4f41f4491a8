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

std::size_t RowCount(const CNuvoDoc* doc, ERowList list) {
  return doc ? GetRows(*doc, list).size() : 0;
}

// Appends a row; undo takes away the row it appended. Walking the history in order, that row
// is the last again by the time it is undone, whatever moved in between.
class CAddRowCommand : public CEditCommand {
 public:
  CAddRowCommand(CNuvoDoc* doc, IDocumentListener* listener, ERowList list, ListRow row)
      : CEditCommand(doc, listener), list_(list), row_(std::move(row)) {}

  void Execute() override {
    if (doc_) {
      Append();
      MarkModified();
      SchedulePreview();
    }
    CEditCommand::Execute();
  }
  void Undo() override {
    if (doc_) {
      std::vector<ListRow> rows = GetRows(*doc_, list_);
      if (index_ < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index_));
      SetRows(*doc_, list_, rows);
      Notify();
    }
    CEditCommand::Undo();
  }
  void Redo() override {
    if (doc_) {
      Append();
      Notify();
    }
    CEditCommand::Redo();
  }

 private:
  void Append() {
    std::vector<ListRow> rows = GetRows(*doc_, list_);
    rows.push_back(row_);
    index_ = rows.size() - 1;
    SetRows(*doc_, list_, rows);
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
  CDeleteRowCommand(CNuvoDoc* doc, IDocumentListener* listener, ERowList list, std::size_t index)
      : CEditCommand(doc, listener), list_(list), index_(index) {}

  void Execute() override {
    if (doc_) {
      Remove();
      MarkModified();
      SchedulePreview();
    }
    CEditCommand::Execute();
  }
  void Undo() override {
    if (doc_) {
      std::vector<ListRow> rows = GetRows(*doc_, list_);
      std::size_t at = std::min(index_, rows.size());
      rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), saved_);
      SetRows(*doc_, list_, rows);
      Notify();
    }
    CEditCommand::Undo();
  }
  void Redo() override {
    if (doc_) {
      Remove();
      Notify();
    }
    CEditCommand::Redo();
  }

 private:
  void Remove() {
    std::vector<ListRow> rows = GetRows(*doc_, list_);
    if (index_ >= rows.size()) return;
    saved_ = std::move(rows[index_]);
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index_));
    SetRows(*doc_, list_, rows);
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
  CMoveRowCommand(CNuvoDoc* doc, IDocumentListener* listener, ERowList list, std::size_t upper)
      : CEditCommand(doc, listener), list_(list), upper_(upper) {}

  void Execute() override {
    Exchange();
    MarkModified();
    CEditCommand::Execute();
  }
  void Undo() override {
    Exchange();
    CEditCommand::Undo();
  }
  void Redo() override {
    Exchange();
    CEditCommand::Redo();
  }

 private:
  void Exchange() {
    if (!doc_) return;
    std::vector<ListRow> rows = GetRows(*doc_, list_);
    if (upper_ + 1 >= rows.size()) return;
    std::swap(rows[upper_], rows[upper_ + 1]);
    SetRows(*doc_, list_, rows);
    NotifyChanged(RowListMask(list_));
    SchedulePreview();
  }

  ERowList list_;
  std::size_t upper_;
};

// Rewrites one row as a whole, as the sheets' row boxes do.
class CSetRowCommand : public CEditCommand {
 public:
  CSetRowCommand(CNuvoDoc* doc, IDocumentListener* listener, ERowList list, std::size_t index,
                 ListRow row)
      : CEditCommand(doc, listener), list_(list), index_(index), new_(std::move(row)) {}

  void Execute() override {
    if (doc_) {
      old_ = Write(new_);
      MarkModified();
      SchedulePreview();
    }
    CEditCommand::Execute();
  }
  void Undo() override {
    if (doc_) {
      Write(old_);
      Notify();
    }
    CEditCommand::Undo();
  }
  void Redo() override {
    if (doc_) {
      Write(new_);
      Notify();
    }
    CEditCommand::Redo();
  }

 private:
  // Writes `row` in place and returns what stood there.
  ListRow Write(const ListRow& row) {
    std::vector<ListRow> rows = GetRows(*doc_, list_);
    if (index_ >= rows.size()) return row;
    ListRow before = std::exchange(rows[index_], row);
    SetRows(*doc_, list_, rows);
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
      const std::vector<PhotoData>& data = doc.GetPhotoData();
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
      std::vector<PhotoData> data;
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

std::unique_ptr<CEditCommand> MakeAddRowCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                ERowList list) {
  return std::make_unique<CAddRowCommand>(doc, listener, list, EmptyRow(list));
}

std::unique_ptr<CEditCommand> MakeAddPhotoCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                  CPhotoRow photo) {
  return std::make_unique<CAddRowCommand>(doc, listener, ERowList::Photos, std::move(photo));
}

std::unique_ptr<CEditCommand> MakeDeleteRowCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                   ERowList list, std::size_t index) {
  if (doc && index >= RowCount(doc, list)) return nullptr;
  return std::make_unique<CDeleteRowCommand>(doc, listener, list, index);
}

std::unique_ptr<CEditCommand> MakeMoveRowCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                 ERowList list, std::size_t index,
                                                 EMoveDirection direction) {
  std::size_t count = RowCount(doc, list);
  if (direction == EMoveDirection::Up) {
    if (index == 0 || index >= count) return nullptr;
    return std::make_unique<CMoveRowCommand>(doc, listener, list, index - 1);
  }
  if (index + 1 >= count) return nullptr;
  return std::make_unique<CMoveRowCommand>(doc, listener, list, index);
}

std::unique_ptr<CEditCommand> MakeSetRowCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                ERowList list, std::size_t index, ListRow row) {
  if (!FitsList(row, list) || (doc && index >= RowCount(doc, list))) return nullptr;
  return std::make_unique<CSetRowCommand>(doc, listener, list, index, std::move(row));
}

}  // namespace nuvo

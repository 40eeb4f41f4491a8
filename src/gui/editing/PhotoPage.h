#pragma once

#include <QStringList>
#include <array>
#include <cstdint>
#include <filesystem>

#include "gui/editing/SheetPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The photo page: up to ten photos of the listing, each row with its thumbnail, file name,
// selection box and comment. Photos are added from the add button, the file dialog or files
// dropped on the sheet, after every check a photo file must pass; rows are deleted, moved,
// viewed and replaced through their buttons and context menu. Every change is a command; typing a
// comment goes into the undo history through the comment box's link. The ten row editors are made
// once and kept for the page's life, since the undo history links to their comment boxes.
namespace nuvo {

class CTextBoxLink;

class CPhotoPage : public CSheetPage {
  Q_OBJECT

 public:
  CPhotoPage(const SheetContext& context, QWidget* parent);

  void UpdateFromDocument(std::uint32_t mask) override;
  bool DropFiles(const QStringList& paths) override;

  // Adds the files as photos in turn, stopping at the first that is refused; true when all were
  // added.
  bool AddPhotos(const QStringList& paths);
  // Replaces photo `row` by the photo in `path`, keeping its comment.
  bool ReplacePhoto(std::size_t row, const QString& path);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct RowEditor {
    QWidget* frame = nullptr;
    QLabel* thumbnail = nullptr;
    QLabel* name = nullptr;
    QCheckBox* selected = nullptr;
    QLineEdit* comment = nullptr;
    CTextBoxLink* link = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
  };

  void BuildRow(std::size_t index);
  void ShowRowMenu(std::size_t index, const QPoint& at);
  void OnAdd();
  void OnChange(std::size_t index);
  void OnView(std::size_t index);
  void DeleteRow(std::size_t index);
  void DeleteSelected();
  void MoveRow(std::size_t index, bool up);
  void StoreComment(std::size_t index, const std::string& text);

  std::array<RowEditor, CNuvoDoc::kMaxPhotos> rows_;
  QLabel* placeholder_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* deleteSelected_ = nullptr;
};

}  // namespace nuvo

#pragma once

#include <QDialog>
#include <cstdint>
#include <string>
#include <vector>

#include "core/common/UserPrompt.h"

class QPushButton;
class QTableWidget;

// A list of images placed by address (the listing's internet images, or the seller's common
// banners): each with its name, image address, link, alternative text, pixel size and border.
// Rows can be added, deleted and moved up to the limit the caller gives; a text that code page 932
// cannot hold keeps the dialog open on its cell. It owns its controls.
namespace nuvo {

struct CImageListRow {
  std::string name;
  std::string image;  // code page 932, as every text here
  std::string link;
  std::string alt;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t border = 0;
  std::string extra;  // text shown under the image; kept, not edited here
  friend bool operator==(const CImageListRow&, const CImageListRow&) = default;
};

class CImageListDialog : public QDialog {
  Q_OBJECT

 public:
  CImageListDialog(const QString& title, const std::vector<CImageListRow>& rows,
                   std::size_t maxRows, IUserPrompt& prompt, QWidget* parent = nullptr);

  // The rows with an image address, in order, after OK.
  const std::vector<CImageListRow>& Rows() const { return rows_; }
  QTableWidget* Table() const { return table_; }

  void accept() override;

 private:
  void AddRow(const CImageListRow& row);
  void MoveRow(int by);
  void SuitButtons();

  std::size_t maxRows_;
  IUserPrompt& prompt_;
  std::vector<CImageListRow> rows_;
  QTableWidget* table_;
  QPushButton* add_ = nullptr;
};

}  // namespace nuvo

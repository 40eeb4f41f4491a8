#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLineEdit;

// "即決設定": the buy-now price of the listing, shown beside its start price. 0 is no buy-now
// price.
namespace nuvo {

class CBuyNowDialog : public QDialog {
  Q_OBJECT

 public:
  CBuyNowDialog(std::int64_t startPrice, std::int64_t buyNowPrice, QWidget* parent = nullptr);

  std::int64_t BuyNowPrice() const;

 private:
  QCheckBox* enabled_;
  QLineEdit* price_;
};

}  // namespace nuvo

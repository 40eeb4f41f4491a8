#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "core/document/ChargeOptions.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "有料オプション設定": the listing's paid options of the service (featured auction, reserve
// price, eye-catching icon, bold text, background colour, gift icon, affiliate and the
// recommendation collection), with what the seller has chosen to pay per day. The caller turns
// the result into one undoable command. It owns its controls.
namespace nuvo {

class CPaidOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  CPaidOptionsDialog(const CChargeOptions& options, std::int64_t startPrice,
                     QWidget* parent = nullptr);

  CChargeOptions Options() const;

 private:
  void ShowCosts();

  QCheckBox* featured_;
  QSpinBox* featuredAmount_;
  QCheckBox* reserve_;
  QLineEdit* reservePrice_;
  QComboBox* icon_;
  std::array<QCheckBox*, 4> flags_{};
  QCheckBox* collection_;
  QDoubleSpinBox* collectionRate_;
  QLabel* costs_;
};

}  // namespace nuvo

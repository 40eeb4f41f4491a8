#pragma once

#include <array>
#include <cstdint>

#include "core/editing/ValueCommands.h"
#include "gui/editing/SheetPage.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

// The shipping page: the listing's own shipping methods (a list of rows and the fields of the
// chosen row: name, fee type, fee, the Hokkaido, Okinawa and remote-island fees and the fee table
// address), the shipping items of the template input and the package size and weight. Each field
// is written by its own command when the seller leaves it.
namespace nuvo {

class CItemListPage;

class CShipPage : public CSheetPage {
  Q_OBJECT

 public:
  CShipPage(const SheetContext& context, QWidget* parent);

  void UpdateFromDocument(std::uint32_t mask) override;
  bool ShowFinding(const CSubmitFinding& finding) override;

 private:
  QWidget* BuildMethods();
  QWidget* BuildSizeWeight();
  void ShowMethods();
  void ShowMethod(int row);
  void ShowSizeWeight();
  void SuitFieldsToFeeType(std::int32_t type);
  void CommitText(EShipRowField field, QLineEdit* box);
  void CommitFee(EShipRowField field, QLineEdit* box);
  void CommitFeeType(int type);
  void CommitSizeWeight();
  void RunOnRow(std::unique_ptr<CEditCommand> command);
  int CurrentRow() const;

  QListWidget* methods_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QWidget* fields_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* feeType_ = nullptr;
  QLineEdit* fee_ = nullptr;
  std::array<QLineEdit*, 3> regionalFees_{};
  QLineEdit* feeTable_ = nullptr;
  QSpinBox* size_ = nullptr;
  QComboBox* sizeFlag_ = nullptr;
  QSpinBox* weight_ = nullptr;
  QComboBox* weightFlag_ = nullptr;
  CItemListPage* postItems_ = nullptr;
  bool updating_ = false;
};

}  // namespace nuvo

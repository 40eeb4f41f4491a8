#pragma once

#include <QDialog>

#include "core/common/UserPrompt.h"
#include "core/document/ItemCondition.h"

class QComboBox;
class QLineEdit;

// "商品状態の設定": chooses the item's condition. The kinds the service withdrew are listed only
// while the listing still holds one, so that it shows what it is, and are refused on OK.
namespace nuvo {

class CConditionDialog : public QDialog {
  Q_OBJECT

 public:
  CConditionDialog(const CItemCondition& condition, IUserPrompt& prompt, QWidget* parent = nullptr);

  CItemCondition Condition() const;

  void accept() override;

 private:
  std::int32_t SelectedKind() const;

  IUserPrompt& prompt_;
  bool showRetired_;
  QComboBox* kinds_;
  QLineEdit* remark_;
};

}  // namespace nuvo

#pragma once

#include <QDialog>
#include <array>

#include "core/document/ShipSettings.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QSpinBox;

// "ヤフオク!特有の配送方法": which of the service's own carrier services the listing offers, in
// their three groups, each group's package size and weight, and the prefecture of the
// convenience store where a "はこBOON mini" parcel is handed in. The caller turns the result into
// one undoable command. It owns its controls.
namespace nuvo {

class CShipServicesDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CShipServicesDialog(const CShipSettings& shipping, QWidget* parent = nullptr);

  // The services as the dialog shows them, with the listing's own methods as they were.
  CShipSettings Services() const;

 private:
  struct SizeBoxes {
    QSpinBox* size;
    QComboBox* sizeFlag;
    QSpinBox* weight;
    QComboBox* weightFlag;
  };

  SizeBoxes AddSizeWeight(QGridLayout* grid, int row, const CSizeWeight& value);
  static CSizeWeight Read(const SizeBoxes& boxes);

  CShipSettings shipping_;
  std::array<QCheckBox*, 7> services_{};
  std::array<SizeBoxes, 3> sizes_{};
  QComboBox* prefecture_;
};

}  // namespace nuvo

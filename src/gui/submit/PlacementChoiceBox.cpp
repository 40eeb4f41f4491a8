#include "gui/submit/PlacementChoiceBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"

namespace nuvo {
namespace {

QString Text(int id) { return QString::fromUtf8(LoadStringUtf8(id)); }

}  // namespace

CPlacementChoiceBox::CPlacementChoiceBox(CDialogPlacement& placement, QWidget* parent)
    : QWidget(parent), placement_(placement) {
  auto* label = new QLabel(Text(IDS_PLACEMENT_CAPTION), this);
  choices_ = new QComboBox(this);
  // In the order of PlacementChoice, so that an item's index is the choice.
  for (int id : {IDS_PLACEMENT_CENTRE_ON_OWNER, IDS_PLACEMENT_CENTRE_ON_SCREEN,
                 IDS_PLACEMENT_LAST_POSITION}) {
    choices_->addItem(Text(id));
  }
  choices_->setCurrentIndex(static_cast<int>(placement_.Choice()));
  label->setBuddy(choices_);
  connect(choices_, &QComboBox::currentIndexChanged, this, [this](int index) {
    placement_.SetChoice(static_cast<PlacementChoice>(index));
    emit Changed();
  });

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label);
  layout->addWidget(choices_);
}

}  // namespace nuvo

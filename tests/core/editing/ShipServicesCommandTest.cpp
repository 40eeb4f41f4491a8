#include "core/editing/ShipServicesCommand.h"

#include <gtest/gtest.h>

#include "EditingFixture.h"

using namespace nuvo;

namespace {

TEST_F(EditingTest, TheServicesChangeInOneStepAndLeaveTheSellersOwnMethodsAlone) {
  CShipSettings shipping;
  shipping.methods.resize(1);
  shipping.methods[0].name = "own";
  doc.SetShipping(shipping);

  CShipSettings services;  // the dialog's result, with a stale method list
  services.SetServiceFlags(CShipSettings::kTakkyubin | CShipSettings::kHakoboonMini);
  services.SetGroupBPrefecture(27);
  services.groupASize = {{80, 1}, {5, 1}};
  Run(MakeSetShipServicesCommand(doc, services));
  CShipSettings now = doc.GetShipping();
  EXPECT_EQ(now.GetServiceFlags(), services.GetServiceFlags());
  EXPECT_EQ(now.GetGroupBPrefecture(), 27);
  EXPECT_EQ(now.groupASize, services.groupASize);
  ASSERT_EQ(now.methods.size(), 1u);
  EXPECT_EQ(listener.changed.back().mask, change::kShipServices);
  EXPECT_TRUE(doc.IsModified());

  // Asking for what is already there records nothing.
  EXPECT_EQ(MakeSetShipServicesCommand(doc, now), nullptr);

  // A method added after the change survives its undo.
  now.methods.push_back(now.methods[0]);
  doc.SetShipping(now);
  doc.Undo();
  EXPECT_EQ(doc.GetShipping().GetServiceFlags(), 0u);
  EXPECT_EQ(doc.GetShipping().methods.size(), 2u);
  EXPECT_FALSE(doc.IsModified());
  doc.Redo();
  EXPECT_EQ(doc.GetShipping().GetGroupBPrefecture(), 27);
}

}  // namespace

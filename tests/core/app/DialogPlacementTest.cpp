#include "core/app/DialogPlacement.h"

#include <gtest/gtest.h>

using namespace nuvo;

namespace {

const WindowRect kWorkArea{100, 40, 1600, 1000};
const WindowRect kOwner{200, 100, 1000, 800};

CDialogPlacement Stored(const char* text) {
  CDialogPlacement placement(820, 700);
  placement.Read(text);
  return placement;
}

}  // namespace

TEST(DialogPlacement, EachChoiceOpensTheDialogWhereTheSellerAskedAndKeepsItsSize) {
  CDialogPlacement placement(820, 700);
  // Never placed: the default size, over the middle of the window that opened it.
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{290, 150, 820, 700}));
  // The last place is only known once the dialog was closed somewhere; until then it centres.
  placement.SetChoice(PlacementChoice::kLastPosition);
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{490, 190, 820, 700}));

  placement.Remember({130, 50, 700, 500}, kWorkArea);
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{130, 50, 700, 500}));
  placement.SetChoice(PlacementChoice::kCentreOnScreen);
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{550, 290, 700, 500}));
  placement.SetChoice(PlacementChoice::kCentreOnOwner);
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{350, 250, 700, 500}));
  // Without an owner (nuvo-cli has no window) it centres on the screen.
  EXPECT_EQ(placement.Place({}, kWorkArea), (WindowRect{550, 290, 700, 500}));
}

TEST(DialogPlacement, StaysWhollyOnTheWorkAreaWhateverWasRemembered) {
  // Left on a second screen that is gone now: pulled back to the edge, not lost.
  CDialogPlacement placement = Stored("2,3000,-400,700,500");
  EXPECT_EQ(placement.Place(kOwner, kWorkArea), (WindowRect{1000, 40, 700, 500}));
  // Larger than the screen: clamped to it.
  EXPECT_EQ(Stored("1,0,0,2000,1200").Place(kOwner, kWorkArea), kWorkArea);
  // An owner hanging over the screen's edge does not drag the dialog off it.
  EXPECT_EQ(Stored("0,0,0,700,500").Place({-600, 900, 800, 600}, kWorkArea),
            (WindowRect{100, 540, 700, 500}));
}

TEST(DialogPlacement, ReadsWhatItWroteAndFallsBackOnDamagedValues) {
  CDialogPlacement written(820, 700);
  written.SetChoice(PlacementChoice::kLastPosition);
  written.Remember({130, 50, 700, 500}, kWorkArea);
  EXPECT_EQ(written.ToString(), "2,30,10,700,500");
  EXPECT_EQ(Stored(written.ToString().c_str()), written);

  const CDialogPlacement fresh(820, 700);
  for (const char* damaged :
       {"", "2,30,10,700", "2,30,10,700,500,1", "2,a,10,700,500", "2,30,10,700,500x", ",,,,"}) {
    SCOPED_TRACE(damaged);
    EXPECT_EQ(Stored(damaged), fresh);
  }
  // A choice this program does not know centres on the owner; an empty size means never placed.
  EXPECT_EQ(Stored("7,30,10,700,500").Choice(), PlacementChoice::kCentreOnOwner);
  EXPECT_EQ(Stored("2,30,10,0,500").Place(kOwner, kWorkArea), (WindowRect{490, 190, 820, 700}));
}

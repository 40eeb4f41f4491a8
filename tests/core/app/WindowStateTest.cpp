#include "core/app/WindowState.h"

#include <gtest/gtest.h>

#include "RecordingSettings.h"

using namespace nuvo;

namespace {
const WindowRect kWorkArea{100, 40, 1600, 1000};
}

TEST(WindowState, SaveKeepsThePositionRelativeToTheWorkArea) {
  RecordingSettings store;
  CAppComm app(store);
  CWindowState maximizable(app, 2, 1125, 560, CWindowState::kAllowMaximize);
  maximizable.Save({150, 60, 800, 600}, kWorkArea, true);
  EXPECT_EQ(store.ReadInt("WindowState\\2", "Left"), 50);
  EXPECT_EQ(store.ReadInt("WindowState\\2", "Top"), 20);
  EXPECT_EQ(store.ReadInt("WindowState\\2", "Width"), 800);
  EXPECT_EQ(store.ReadInt("WindowState\\2", "Height"), 600);
  EXPECT_EQ(store.ReadInt("WindowState\\2", "Maximized"), 1);
  EXPECT_EQ(maximizable.RestoreSizeAndPosition(kWorkArea), (WindowRect{150, 60, 800, 600}));

  CWindowState fixed(app, 3, 400, 300, 0);
  fixed.Save({150, 60, 800, 600}, kWorkArea, true);
  EXPECT_FALSE(store.ReadInt("WindowState\\3", "Maximized"));
}

TEST(WindowState, RestoreClampsToTheWorkAreaAndCentresWhenOutside) {
  CMemorySettings store;
  CAppComm app(store);
  CWindowState state(app, 0, 1220, 850, CWindowState::kAllowMaximize);
  EXPECT_FALSE(store.ReadInt("WindowState\\0", "Width"));
  // No stored placement: the default size, centred so that the whole frame is on the screen.
  EXPECT_EQ(state.RestoreSizeAndPosition(kWorkArea), (WindowRect{290, 115, 1220, 850}));

  // Too large for the work area: clamped, and kept at the stored corner.
  app.WriteProfileInt("WindowState\\0", "Width", 3000);
  app.WriteProfileInt("WindowState\\0", "Height", 900);
  app.WriteProfileInt("WindowState\\0", "Left", 10);
  app.WriteProfileInt("WindowState\\0", "Top", 0);
  EXPECT_EQ(state.RestoreSizeAndPosition(kWorkArea), (WindowRect{110, 40, 1600, 900}));

  for (auto [left, top] : {std::pair{1600, 0}, {-1, 0}, {0, 1000}, {0, -5}}) {
    SCOPED_TRACE(std::to_string(left) + "," + std::to_string(top));
    app.WriteProfileInt("WindowState\\0", "Width", 800);
    app.WriteProfileInt("WindowState\\0", "Left", left);
    app.WriteProfileInt("WindowState\\0", "Top", top);
    EXPECT_EQ(state.RestoreSizeAndPosition(kWorkArea), (WindowRect{500, 90, 800, 900}));
  }

  app.WriteProfileInt("WindowState\\0", "Left", 0);
  app.WriteProfileInt("WindowState\\0", "Top", 0);
  CWindowState centred(app, 0, 1, 1, CWindowState::kAlwaysCentre);
  EXPECT_EQ(centred.RestoreSizeAndPosition(kWorkArea), (WindowRect{500, 90, 800, 900}));

  app.WriteProfileInt("WindowState\\0", "Height", 0);
  EXPECT_FALSE(state.RestoreSizeAndPosition(kWorkArea));
  CWindowState empty(app, 7, 0, 300, 0);
  EXPECT_FALSE(empty.RestoreSizeAndPosition(kWorkArea));
}

TEST(WindowState, MaximisedStateIsRestoredOnce) {
  CMemorySettings store;
  CAppComm app(store);
  CWindowState maximizable(app, 1, 1045, 900, CWindowState::kAllowMaximize);
  EXPECT_TRUE(maximizable.RestoreMaximized());
  EXPECT_FALSE(maximizable.RestoreMaximized());

  EXPECT_FALSE(CWindowState(app, 4, 10, 10, 0).RestoreMaximized());
  app.WriteProfileInt("WindowState\\1", "Maximized", 0);
  EXPECT_FALSE(CWindowState(app, 1, 1045, 900, CWindowState::kAllowMaximize).RestoreMaximized());
}

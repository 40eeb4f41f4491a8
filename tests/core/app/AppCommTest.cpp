#include "core/app/AppComm.h"

#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"
#include "core/common/StringTable.h"

using namespace nuvo;

TEST(AppComm, ReadsDefaultsWithoutWritingAndKeepsSectionsApart) {
  CMemorySettings store;
  CAppComm app(store);
  EXPECT_EQ(app.GetSettingsInt("SampleID", 3), 3);
  EXPECT_EQ(app.GetSettingsString("Name", IDS_SAMPLE_NOT_FOUND), LoadString(IDS_SAMPLE_NOT_FOUND));
  EXPECT_EQ(app.GetSettingsString("Name", 0), "");
  EXPECT_FALSE(store.ReadInt("Settings", "SampleID"));

  app.WriteSettingsInt("Key", 1);
  app.WriteDefaultInt("Key", 2);
  app.WriteInstallationString("Samples", "/opt");
  EXPECT_EQ(app.GetSettingsInt("Key", 0), 1);
  EXPECT_EQ(app.GetDefaultInt("Key", 0), 2);
  EXPECT_EQ(app.GetInstallationString("Samples"), "/opt");
  EXPECT_EQ(app.GetSettingsString("Samples", "none"), "none");
}

#include "core/net/UserAgent.h"

#include <gtest/gtest.h>

#include "core/app/MemorySettings.h"

using namespace nuvo;

TEST(UserAgent, VersionTextIsHexWithTrailingZerosTrimmedToThreeCharacters) {
  EXPECT_EQ(GetVersionText({3, 0, 9, 0}), "3.09");
  EXPECT_EQ(GetVersionText({1, 10, 0, 0}), "1.a");
  EXPECT_EQ(GetVersionText({1, 0, 0, 0}), "1.0");
  EXPECT_EQ(GetVersionText({16, 0, 0, 1}), "10.001");
  EXPECT_EQ(GetVersionText({2, 255, 16, 0}), "2.ff1");
}

TEST(UserAgent, SystemNamesWithAndWithoutNames) {
  using P = OsVersion;
  EXPECT_EQ(GetSystemName({P::kWin32s, 3, 11}, true), "Windows 3.11");
  EXPECT_EQ(GetSystemName({P::kWindows9x, 4, 10}, true), "Windows 98");
  EXPECT_EQ(GetSystemName({P::kWindows9x, 4, 90}, false), "Windows 4.90");
  EXPECT_EQ(GetSystemName({P::kWindows9x, 4, 3}, true), "Windows 4.3");
  EXPECT_EQ(GetSystemName({P::kWindowsNt, 5, 1}, true), "Windows XP");
  EXPECT_EQ(GetSystemName({P::kWindowsNt, 6, 1}, true), "Windows 7");
  EXPECT_EQ(GetSystemName({P::kWindowsNt, 6, 1}, false), "Windows NT 6.1");
  EXPECT_EQ(GetSystemName({P::kWindowsNt, 10, 0}, true), "Windows NT 10.0");
  EXPECT_EQ(GetSystemName({P::kOther, 0, 0}, true), "Windows");
}

TEST(UserAgent, BrowserAgentTable) {
  using P = OsVersion;
  const struct {
    OsVersion os;
    const char* agent;
  } rows[] = {
      {{P::kWin32s, 3, 1}, "Mozilla/4.0 (compatible; MSIE 4.0; Win32)"},
      {{P::kWindows9x, 4, 0}, "Mozilla/4.0 (compatible; MSIE 5.5; Windows 95)"},
      {{P::kWindows9x, 4, 10}, "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98)"},
      {{P::kWindows9x, 4, 90}, "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Win 9x 4.90)"},
      {{P::kWindows9x, 4, 3}, "Mozilla/4.0 (compatible; MSIE 6.0; Win32)"},
      {{P::kWindowsNt, 4, 0}, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 4.0)"},
      {{P::kWindowsNt, 5, 0}, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"},
      {{P::kWindowsNt, 5, 2}, "Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.2; Trident/4.0)"},
      {{P::kWindowsNt, 6, 0}, "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.0; Trident/5.0)"},
      {{P::kWindowsNt, 6, 1},
       "Mozilla/5.0 (Windows NT 6.1; WOW64; Trident/7.0; rv:11.0) like Gecko"},
      {{P::kWindowsNt, 10, 0},
       "Mozilla/5.0 (Windows NT 10.0; WOW64; Trident/7.0; rv:11.0) like Gecko"},
      {{P::kOther, 5, 1}, "Mozilla/5.0 (Windows; WOW64; Trident/7.0; rv:11.0) like Gecko"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(BuildUserAgent(kBrowserAgent, "ignored", row.os), row.agent);
  }
  // This system is not one the table names, so the browser agent is its last row.
  std::string agent;
  ASSERT_TRUE(GetUserAgent(agent, kBrowserAgent));
  EXPECT_EQ(agent, rows[std::size(rows) - 1].agent);
}

TEST(UserAgent, ProgramAgentNamesTheProductVersionAndSystem) {
  const OsVersion xp{OsVersion::kWindowsNt, 5, 1};
  const std::string version = GetVersionText();
  EXPECT_EQ(BuildUserAgent(kProgramAgent, "Nuvo", xp),
            "Mozilla/5.0 (compatible; ZS Nuvo " + version + "; WinInet; Windows NT 5.1)");
  SetExecutableName("");
  EXPECT_EQ(BuildUserAgent(kProgramAgent, "", {}),
            "Mozilla/5.0 (compatible; ZS Software " + version + "; WinInet; Windows)");
  SetExecutableName("nuvo");
  EXPECT_EQ(BuildUserAgent(kProgramAgent, "", {}),
            "Mozilla/5.0 (compatible; ZS nuvo " + version + "; WinInet; Windows)");
  SetExecutableName("");
}

TEST(UserAgent, DefaultKindIsTheSettingInverted) {
  CMemorySettings store;
  CAppComm app(store);
  ApplyUserAgentSetting(app);
  EXPECT_EQ(DefaultUserAgentKind(), kBrowserAgent);
  app.WriteSettingsInt("UserAgentSettingType", 1);
  ApplyUserAgentSetting(app);
  EXPECT_EQ(DefaultUserAgentKind(), kProgramAgent);
  app.WriteSettingsInt("UserAgentSettingType", 7);
  ApplyUserAgentSetting(app);
  EXPECT_EQ(DefaultUserAgentKind(), kBrowserAgent);
}

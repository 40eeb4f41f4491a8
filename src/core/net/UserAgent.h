#pragma once

#include <string>

#include "core/app/AppComm.h"

// The two user agents the program presents: its own ("ZS" agent, kind 0) and the browser agent
// (kind 1) that the embedded browser and, by default, the HTTP client send. The process-wide
// default kind follows the setting "UserAgentSettingType".
namespace nuvo {

inline constexpr int kProgramAgent = 0;
inline constexpr int kBrowserAgent = 1;

// What the operating-system version query answered. The agent tables know the Windows
// platforms of old; any other system reports kOther.
struct OsVersion {
  enum Platform { kWin32s, kWindows9x, kWindowsNt, kOther };
  Platform platform = kOther;
  unsigned major = 0;
  unsigned minor = 0;
};

// The version query of the running system.
OsVersion QueryOsVersion();

// The version text of a four-part file version: each part in lower-case hexadecimal, dots only
// after the first, trailing "0" removed down to three characters (3.0.9.0 gives "3.09").
std::string GetVersionText(const unsigned (&parts)[4]);
// The text of the program's own version.
std::string GetVersionText();

// The system's name: "Windows NT 6.1", or with `withNames` "Windows 7".
std::string GetSystemName(const OsVersion& os, bool withNames);

// The agent text of `kind`; `name` is the product token of the program agent (empty: the
// executable's name, else "Software").
std::string BuildUserAgent(int kind, const std::string& name, const OsVersion& os);
// The same for the running system; false when the text is empty.
bool GetUserAgent(std::string& text, int kind, const std::string& name = {});

// The executable's file name without extension, used when an agent has no name of its own; the
// program sets it at start.
void SetExecutableName(std::string name);

// The kind that new HTTP clients and the embedded browser use.
void SetDefaultUserAgentKind(int kind);
int DefaultUserAgentKind();

// The kind that the setting "UserAgentSettingType" asks for: setting 0 (the default, and any
// value out of range) gives the browser agent, 1 the program's own.
int UserAgentKindFromSetting(int setting);
// Reads the setting and makes its kind the process-wide default.
void ApplyUserAgentSetting(const CAppComm& app);

}  // namespace nuvo

#include "core/net/UserAgent.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "core/common/Version.h"

namespace nuvo {
namespace {

std::atomic<int> defaultKind{kBrowserAgent};

std::mutex executableNameMutex;
std::string executableName;

template <typename... Args>
std::string Format(const char* pattern, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, pattern, args...);
  return text;
}

std::string BrowserAgent(const OsVersion& os) {
  switch (os.platform) {
    case OsVersion::kWin32s:
      return "Mozilla/4.0 (compatible; MSIE 4.0; Win32)";
    case OsVersion::kWindows9x:
      switch (os.minor) {
        case 0:
          return "Mozilla/4.0 (compatible; MSIE 5.5; Windows 95)";
        case 10:
          return "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98)";
        case 90:
          return "Mozilla/4.0 (compatible; MSIE 6.0; Windows 98; Win 9x 4.90)";
        default:
          return "Mozilla/4.0 (compatible; MSIE 6.0; Win32)";
      }
    case OsVersion::kWindowsNt:
      if (os.major == 4) {
        return Format("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT %u.%u)", os.major, os.minor);
      }
      if (os.major == 5 && os.minor == 0) {
        return "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
      }
      if (os.major == 5) {
        return Format("Mozilla/4.0 (compatible; MSIE 8.0; Windows NT %u.%u; Trident/4.0)", os.major,
                      os.minor);
      }
      if (os.major == 6 && os.minor == 0) {
        return "Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.0; Trident/5.0)";
      }
      return Format("Mozilla/5.0 (Windows NT %u.%u; WOW64; Trident/7.0; rv:11.0) like Gecko",
                    os.major, os.minor);
    case OsVersion::kOther:
      break;
  }
  return "Mozilla/5.0 (Windows; WOW64; Trident/7.0; rv:11.0) like Gecko";
}

}  // namespace

OsVersion QueryOsVersion() {
  // The program runs on systems the Windows version query never answered for.
  return {};
}

std::string GetVersionText(const unsigned (&parts)[4]) {
  std::string text = Format("%x.%x%x%x", parts[0] & 0xFFFF, parts[1] & 0xFFFF, parts[2] & 0xFFFF,
                            parts[3] & 0xFFFF);
  while (text.size() > 3 && text.back() == '0') text.pop_back();
  return text;
}

std::string GetVersionText() { return GetVersionText(kVersionParts); }

std::string GetSystemName(const OsVersion& os, bool withNames) {
  switch (os.platform) {
    case OsVersion::kWin32s:
      return Format("Windows %u.%u", os.major, os.minor);
    case OsVersion::kWindows9x:
      if (withNames && os.minor == 0) return "Windows 95";
      if (withNames && os.minor == 10) return "Windows 98";
      if (withNames && os.minor == 90) return "Windows Me";
      return Format("Windows %u.%u", os.major, os.minor);
    case OsVersion::kWindowsNt:
      if (withNames) {
        const unsigned version = os.major * 100 + os.minor;
        if (version == 500) return "Windows 2000";
        if (version == 501) return "Windows XP";
        if (version == 502) return "Windows Server 2003";
        if (version == 600) return "Windows Vista";
        if (version == 601) return "Windows 7";
      }
      return Format("Windows NT %u.%u", os.major, os.minor);
    case OsVersion::kOther:
      break;
  }
  return "Windows";
}

std::string BuildUserAgent(int kind, const std::string& name, const OsVersion& os) {
  if (kind != kProgramAgent) return BrowserAgent(os);
  std::string product = name;
  if (product.empty()) {
    std::lock_guard lock(executableNameMutex);
    product = executableName;
  }
  if (product.empty()) product = "Software";
  return "Mozilla/5.0 (compatible; ZS " + product + " " + GetVersionText() + "; WinInet; " +
         GetSystemName(os, false) + ")";
}

bool GetUserAgent(std::string& text, int kind, const std::string& name) {
  text = BuildUserAgent(kind, name, QueryOsVersion());
  return !text.empty();
}

void SetExecutableName(std::string name) {
  std::lock_guard lock(executableNameMutex);
  executableName = std::move(name);
}

void SetDefaultUserAgentKind(int kind) { defaultKind = kind; }

int DefaultUserAgentKind() { return defaultKind; }

int UserAgentKindFromSetting(int setting) { return setting == 1 ? kProgramAgent : kBrowserAgent; }

void ApplyUserAgentSetting(const CAppComm& app) {
  SetDefaultUserAgentKind(UserAgentKindFromSetting(app.GetSettingsInt("UserAgentSettingType", 0)));
}

}  // namespace nuvo

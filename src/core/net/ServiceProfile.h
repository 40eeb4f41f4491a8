#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/app/AppComm.h"

// Which hosts the program talks to: a base address ("http://host:port", no trailing slash) for
// each role the service plays, an optional proxy and a name to show. The built-in profile is the
// real auction service; a profile file (one JSON object, {"roles": {...}, "proxy": "..."}) points
// the program elsewhere, such as at nuvo-sandbox. A profile is whole or refused: reading never
// yields one with a role missing or an address that is not http or https.
namespace nuvo {

enum class ServiceRole {
  Sell,
  Login,
  Protect,
  Contact,
  Image,
  Announcement,
  Listing,
  Main,
  Update,
  Help  // the program's own help pages, which some messages offer to open
};

inline constexpr std::size_t kServiceRoleCount = 10;

class CServiceProfile {
 public:
  // The real auction service, read from the program's own data file.
  static const CServiceProfile& Default();

  // Reads the profile file at `path` (UTF-8 path). On refusal returns nullopt and sets `error` to
  // a message (code page 932) that names the file.
  static std::optional<CServiceProfile> Load(const std::string& path, std::string& error);
  // Reads a profile from its JSON text (UTF-8); `fileName` names it in messages and is the
  // display name when the text gives none.
  static std::optional<CServiceProfile> Parse(std::string_view json, const std::string& fileName,
                                              std::string& error);

  // The role's key in a profile file: "sell", "login", ...
  static std::string_view RoleKey(ServiceRole role);

  // The base address of `role`; empty when the profile names none (only the update and help
  // roles may be absent).
  const std::string& BaseUrl(ServiceRole role) const {
    return urls_[static_cast<std::size_t>(role)];
  }
  // The proxy ("host:port" or an http address); empty for a direct connection.
  const std::string& Proxy() const { return proxy_; }
  // The name shown to the seller (code page 932).
  const std::string& DisplayName() const { return name_; }
  bool IsDefault() const { return isDefault_; }

  // The profile as one line of JSON (UTF-8) in the form Parse reads.
  std::string ToJson() const;

  // A profile built by a program of the project from addresses it knows to be sound.
  static CServiceProfile FromUrls(std::string name,
                                  const std::array<std::string, kServiceRoleCount>& urls,
                                  std::string proxy = {});

 private:
  CServiceProfile() = default;

  std::array<std::string, kServiceRoleCount> urls_;
  std::string proxy_;
  std::string name_;
  bool isDefault_ = false;
};

// The profile a run uses: the file named on the command line (UTF-8 path), else the file named by
// the setting "ServiceProfile", else the built-in profile. A named file that is refused gives
// nullopt and the message in `error`: the run does not fall back to another service.
std::optional<CServiceProfile> ChooseServiceProfile(const std::string& commandLineFile,
                                                    const CAppComm& comm, std::string& error);

}  // namespace nuvo

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/net/ServiceProfile.h"

// nuvo-cli's command table. A command gets its arguments (after the command name, global options
// removed) and returns the exit code: 0 success, 1 the operation failed, 2 usage error.
namespace nuvo::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct GlobalOptions {
  std::string samplesFolder;  // --samples DIR: the "Samples" folder for this run
  std::string serviceFile;    // --service FILE: the service profile for this run
  std::string cookieJar;      // --cookie-jar FILE: cookies.txt read before and written after
  // The service profile this run talks to, chosen before the command runs.
  std::optional<CServiceProfile> service;
};

struct Command {
  const char* name;
  const char* usage;
  std::function<int(const GlobalOptions&, const std::vector<std::string>&)> run;
};

const std::vector<Command>& Commands();

// The commands, each in its own source file.
int NormalizeFragment(const GlobalOptions& options, const std::vector<std::string>& args);
int NewListing(const GlobalOptions& options, const std::vector<std::string>& args);
int SetListing(const GlobalOptions& options, const std::vector<std::string>& args);
int DumpListing(const GlobalOptions& options, const std::vector<std::string>& args);
int RenderListing(const GlobalOptions& options, const std::vector<std::string>& args);
int SubmitListingCommand(const GlobalOptions& options, const std::vector<std::string>& args);

// Service profiles.
int ShowService(const GlobalOptions& options, const std::vector<std::string>& args);

// The submission checks.
int CheckListing(const GlobalOptions& options, const std::vector<std::string>& args);
// The category catalogue.
int Category(const GlobalOptions& options, const std::vector<std::string>& args);
// Batch submission.
int BatchSubmitCommand(const GlobalOptions& options, const std::vector<std::string>& args);

}  // namespace nuvo::cli

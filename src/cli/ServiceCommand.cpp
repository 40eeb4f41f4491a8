#include <cstdio>

#include "cli/CliCommands.h"

// nuvo-cli service: prints the service profile the run talks to, in the form a profile file
// takes, so that a script can see which hosts a submission would reach.
namespace nuvo::cli {

int ShowService(const GlobalOptions& options, const std::vector<std::string>& args) {
  if (!args.empty() || !options.service) return kExitUsage;
  std::printf("%s\n", options.service->ToJson().c_str());
  return kExitOk;
}

}  // namespace nuvo::cli

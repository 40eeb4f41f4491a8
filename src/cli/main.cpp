#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "core/app/AppComm.h"
#include "core/common/Encoding.h"
#include "gui/app/QtSettingsBackend.h"
#include "gui/net/PrivateSandbox.h"

// nuvo-cli: the program's listing operations without a window.
namespace {

void PrintUsage() {
  std::fprintf(
      stderr,
      "usage: nuvo-cli [--samples DIR] [--service FILE | --sandbox] [--cookie-jar FILE] COMMAND "
      "[ARGS...]\ncommands:\n");
  for (const auto& command : nuvo::cli::Commands()) std::fprintf(stderr, "  %s\n", command.usage);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setOrganizationName(nuvo::kOrganizationName);
  QCoreApplication::setApplicationName(nuvo::kApplicationName);
  nuvo::cli::GlobalOptions options;
  std::vector<std::string> args(argv + 1, argv + argc);
  bool privateSandbox = false;
  for (auto it = args.begin(); it != args.end();) {
    if (*it == "--sandbox") {
      privateSandbox = true;
      it = args.erase(it);
    } else if (*it == "--samples" || *it == "--service" || *it == "--cookie-jar") {
      if (it + 1 == args.end()) {
        PrintUsage();
        return nuvo::cli::kExitUsage;
      }
      (*it == "--samples"   ? options.samplesFolder
       : *it == "--service" ? options.serviceFile
                            : options.cookieJar) = *(it + 1);
      it = args.erase(it, it + 2);
    } else {
      ++it;
    }
  }
  if (args.empty() || (privateSandbox && !options.serviceFile.empty())) {
    PrintUsage();
    return nuvo::cli::kExitUsage;
  }
  // A sandbox of the command's own lives as long as the command and is stopped with it.
  std::unique_ptr<nuvo::CPrivateSandbox> sandbox;
  {
    // A profile that is refused stops every command, not only those that reach the service.
    nuvo::cli::CRunSettings settings(options);
    std::string error;
    if (privateSandbox) {
      sandbox = std::make_unique<nuvo::CPrivateSandbox>();
      options.service = sandbox->Start(error);
    } else {
      options.service =
          nuvo::ChooseServiceProfile(options.serviceFile, nuvo::CAppComm(settings), error);
    }
    if (!options.service) {
      std::fprintf(stderr, "%s\n", nuvo::Utf8FromCp932(error).c_str());
      return nuvo::cli::kExitFailed;
    }
  }
  for (const auto& command : nuvo::cli::Commands()) {
    if (args.front() == command.name) {
      int code = command.run(options, std::vector<std::string>(args.begin() + 1, args.end()));
      if (code == nuvo::cli::kExitUsage) PrintUsage();
      return code;
    }
  }
  std::fprintf(stderr, "nuvo-cli: unknown command: %s\n", args.front().c_str());
  PrintUsage();
  return nuvo::cli::kExitUsage;
}

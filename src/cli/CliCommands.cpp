#include "cli/CliCommands.h"

#include <cstdio>

#include "core/common/Version.h"

namespace nuvo::cli {
namespace {

int Version(const GlobalOptions&, const std::vector<std::string>& args) {
  if (!args.empty()) return kExitUsage;
  std::printf("nuvo-cli %s\n", kVersionText);
  return kExitOk;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"version", "version", Version},
      {"normalize-fragment", "normalize-fragment < FRAGMENT", NormalizeFragment},
      {"new", "new OUT.nvd [--input-type N] [--sample-id N]", NewListing},
      {"set", "set FILE.nvd [--yes] KEY=VALUE...", SetListing},
      {"dump", "dump FILE.nvd", DumpListing},
      {"render", "render FILE.nvd [-o OUT.html] [--work-dir DIR]", RenderListing},
      // Service profiles.
      {"service", "service", ShowService},
      // Submitting a listing.
      {"submit",
       "submit FILE.nvd [--easy-trade|--normal] [--dry-run] [--yes] [--confirm-page OUT.html]\n"
       "      runs the checks of \"check\" first and stops at the first that stops; their\n"
       "      questions are answered Yes with --yes, No without. The common submission\n"
       "      settings (\"出品共通設定\") are the ones stored by the desktop program, taken\n"
       "      without a dialog",
       SubmitListingCommand},
      // The submission checks.
      {"check", "check FILE.nvd [--easy-trade|--normal]", CheckListing},
      // The category catalogue.
      {"category", "category search WORDS... | category name ID", Category},
      // Submitting many listings, safe to run again.
      {"batch",
       "batch PATH... [--journal FILE] [--resume] [--force] [--wait SECONDS] "
       "[--easy-trade|--normal] [--yes]",
       BatchSubmitCommand},
  };
  return commands;
}

}  // namespace nuvo::cli

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PageComposer.h"
#include "core/document/PreviewFile.h"

// render FILE.nvd [-o OUT.html] [--work-dir DIR]: writes the listing's page, as it is submitted,
// to standard output or OUT; with --work-dir, writes the preview page and its photo files into
// DIR as the preview does and prints the page's path. Banners and captions come from the
// user's options, as in the program.
namespace nuvo::cli {
namespace {

struct RenderArgs {
  std::string file;
  std::string out;
  std::string workDir;
};

bool ParseArgs(const std::vector<std::string>& args, RenderArgs& parsed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-o" || arg == "--work-dir") {
      std::string& target = arg == "-o" ? parsed.out : parsed.workDir;
      if (i + 1 == args.size() || !target.empty() || args[i + 1].empty()) return false;
      target = args[++i];
    } else if (arg.empty() || arg[0] == '-' || !parsed.file.empty()) {
      return false;
    } else {
      parsed.file = arg;
    }
  }
  return !parsed.file.empty();
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int RenderListing(const GlobalOptions& options, const std::vector<std::string>& args) {
  RenderArgs parsed;
  if (!ParseArgs(args, parsed)) return kExitUsage;
  CRunSettings settings(options);
  CRecordingPrompt prompt;
  CNuvoDoc doc(settings, prompt);
  if (!doc.OnOpenDocument(parsed.file)) {
    prompt.PrintAll();
    return kExitFailed;
  }
  // Warnings of the load (content the file format drops) are told but do not stop the page.
  prompt.PrintAll();
  CAppOptions appOptions;
  appOptions.Load(CAppComm(settings));
  const CPageOptions pageOptions = CPageOptions::FromAppOptions(appOptions);

  if (!parsed.workDir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(parsed.workDir, error);
    const std::filesystem::path workName = std::filesystem::path(parsed.workDir) / "preview";
    if (!WritePreviewFile(doc, workName, pageOptions)) {
      std::fprintf(stderr, "nuvo-cli: cannot write the preview into %s\n", parsed.workDir.c_str());
      return kExitFailed;
    }
    std::printf("%s\n", PreviewFilePath(workName).string().c_str());
    if (parsed.out.empty()) return kExitOk;
  }

  const std::string page = GetPageHtml(doc, pageOptions);
  if (parsed.out.empty()) {
    std::fwrite(page.data(), 1, page.size(), stdout);
  } else if (!WriteFile(parsed.out, page)) {
    std::fprintf(stderr, "nuvo-cli: cannot write %s\n", parsed.out.c_str());
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace nuvo::cli

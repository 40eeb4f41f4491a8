#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "core/document/NuvoDoc.h"

// new OUT.nvd [--input-type N] [--sample-id N]: makes a new listing as the desktop program's New
// command does and saves it. Without the options the input type and the sample come from the
// settings. Messages the program would have shown go to standard error.
namespace nuvo::cli {
namespace {

// A decimal number, or a hexadecimal one after "0x".
std::optional<std::uint32_t> ParseNumber(const std::string& text) {
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* first = text.data() + (hex ? 2 : 0);
  const char* last = text.data() + text.size();
  std::uint32_t value = 0;
  auto [end, error] = std::from_chars(first, last, value, hex ? 16 : 10);
  if (error != std::errc() || end != last || first == last) return std::nullopt;
  return value;
}

}  // namespace

int NewListing(const GlobalOptions& options, const std::vector<std::string>& args) {
  std::string out;
  std::optional<std::uint32_t> inputType;
  std::optional<std::uint32_t> sampleId;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--input-type" || args[i] == "--sample-id") {
      if (i + 1 == args.size()) return kExitUsage;
      auto value = ParseNumber(args[i + 1]);
      if (!value) return kExitUsage;
      (args[i] == "--input-type" ? inputType : sampleId) = value;
      ++i;
    } else if (out.empty() && !args[i].starts_with("--")) {
      out = args[i];
    } else {
      return kExitUsage;
    }
  }
  if (out.empty() || (inputType && *inputType >= CNuvoDoc::kInputTypeCount)) return kExitUsage;

  CRunSettings settings(options);
  if (inputType) settings.Override("Settings", "DescriptInputType", static_cast<int>(*inputType));
  if (sampleId) settings.Override("Settings", "SampleID", static_cast<int>(*sampleId));
  CRecordingPrompt prompt;
  CNuvoDoc doc(settings, prompt);
  doc.OnNewDocument();
  bool saved = doc.OnSaveDocument(out);
  prompt.PrintAll();
  return saved ? kExitOk : kExitFailed;
}

}  // namespace nuvo::cli

#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "core/decorate/DecorateConverter.h"
#include "core/decorate/DecorateEditDoc.h"

// normalize-fragment: reads a decorated-text fragment (code page 932) on standard input into the
// editor's model and writes the model back as the editor writes it. Exit 0 when every tag was
// understood, 1 when something was dropped; the output is written either way.
namespace nuvo::cli {

int NormalizeFragment(const GlobalOptions&, const std::vector<std::string>& args) {
  if (!args.empty()) return kExitUsage;
  std::string html;
  char buffer[65536];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0;) {
    html.append(buffer, got);
  }
  CDecorateEditDoc doc;
  doc.SetBaseSize(kEditorBaseSize);
  const bool understood = doc.SetHtml(html);
  std::string out;
  doc.GetHtml(out);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return understood ? kExitOk : kExitFailed;
}

}  // namespace nuvo::cli

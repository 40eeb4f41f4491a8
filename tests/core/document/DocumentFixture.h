#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/app/AppComm.h"
#include "core/app/MemorySettings.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"
#include "support/ScriptedPrompt.h"
#include "support/TempDir.h"

// Settings, a prompt and a sample folder holding two sample designs (0x0000 and 0x00010002) for
// document tests.
class DocumentFixture {
 public:
  DocumentFixture() {
    nuvo::CAppComm(settings).WriteInstallationString("Samples", (dir.path() / "samples").string());
    WriteSample(0, "first");
    WriteSample(0x00010002, "second");
  }

  void WriteSample(std::uint32_t id, const std::string& mark) {
    char folder[8], file[12];
    std::snprintf(folder, sizeof folder, "%04X", id >> 16);
    std::snprintf(file, sizeof file, "%04X.htm", id & 0xFFFF);
    std::filesystem::create_directories(dir.path() / "samples" / folder);
    std::ofstream(dir.path() / "samples" / folder / file, std::ios::binary)
        << nuvo::Cp932(std::string("<html><!--#header--><body><h1><!--#title-->") +
                       "<!--#title@end--></h1><!--#header@end-->"
                       "<div " +
                       mark +
                       "><!--#description--><!--#item-->説明<!--#item@end-->"
                       "<!--#description@end--></div><table>"
                       "<!--#post--><tr><td><!--#item-->送料<!--#item@end--></td><td>"
                       "<!--#detail--><!--#detail@end--></td></tr><!--#post@end-->"
                       "<!--#pay--><tr><td><!--#item--><!--#item@end--></td><td>"
                       "<!--#detail--><!--#detail@end--></td></tr><!--#pay@end-->"
                       "</table><!--#other--><!--#item--><!--#item@end--><!--#other@end-->"
                       "<!--#footer--></body><!--#footer@end--></html>");
  }

  std::unique_ptr<nuvo::CNuvoDoc> MakeDoc() {
    return std::make_unique<nuvo::CNuvoDoc>(settings, prompt);
  }

  // Every text of the tree in order: what the page would show of the template and the listing.
  static std::string AllText(const nuvo::CTemplateNode& node) {
    std::string text;
    for (const auto& child : node.Children()) {
      text += child->Kind() == nuvo::ENodeKind::Text ? child->GetText() : AllText(*child);
    }
    return text;
  }

  TempDir dir;
  nuvo::CMemorySettings settings;
  ScriptedPrompt prompt;
};

#include "FuzzInput.h"
#include "core/document/DocumentNodes.h"
#include "core/html/TemplateParser.h"

// Page templates: any text parses into a tree, with the listing's own node kinds too.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = nuvo::fuzz::AsText(data, size);
  nuvo::CTemplateNode plain(nuvo::ENodeKind::Root);
  nuvo::ParseTemplate(&plain, text);
  nuvo::CTemplateNode listing(nuvo::ENodeKind::Root);
  nuvo::ParseTemplate(&listing, text, nuvo::MakeDocumentNode);
  return 0;
}

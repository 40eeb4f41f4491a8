#include "FuzzInput.h"
#include "core/html/HtmlDocument.h"

// Pages from the service: any page parses, and the searches the sell pages need run over it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nuvo::CHtmlDocument page{std::string(nuvo::fuzz::AsText(data, size))};
  std::string text;
  page.GetTitle(text);
  page.FindAll({"input"});
  page.CollectHiddenInputs();
  if (page.GetTop()) page.GetTop()->GetInnerText();
  return 0;
}

#include "FuzzInput.h"
#include "core/html/Charset.h"

// Charset detection and conversion of fetched bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = nuvo::fuzz::AsText(data, size);
  nuvo::CharsetOfHtml(text);
  const nuvo::Charset detected = nuvo::DetectCharset(text);
  nuvo::ToShiftJis(text, detected);
  nuvo::CharsetFromName(text);
  return 0;
}

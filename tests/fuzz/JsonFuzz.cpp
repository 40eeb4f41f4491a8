#include "FuzzInput.h"
#include "core/net/JsonDocument.h"

// JSON replies: any text reads or fails with a code, and a tree that reads prints as text that
// reads back into a tree printing the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = nuvo::fuzz::AsText(data, size);
  const unsigned options = size > 0 ? static_cast<unsigned>(data[0]) & 15u : 0u;
  nuvo::CJsonDocument doc(options & nuvo::kJsonSingleQuotes);
  if (doc.Parse(text) != nuvo::kJsonOk || !doc.GetRoot()) return 0;
  const std::string printed = doc.GetRoot()->ToString();
  nuvo::CJsonDocument again(options & nuvo::kJsonSingleQuotes);
  nuvo::fuzz::Require(again.Parse(printed) == nuvo::kJsonOk && again.GetRoot(),
                      "printed JSON reads");
  nuvo::fuzz::Require(again.GetRoot()->ToString() == printed, "printed JSON reads back the same");
  nuvo::CJsonDocument commented(options);
  commented.Parse(text);
  return 0;
}

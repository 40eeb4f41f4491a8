#include "FuzzInput.h"
#include "core/decorate/DecorateEditDoc.h"

// Decorated fragments: whatever a fragment holds, the model read from it writes a fragment that
// reads back into the same model, so writing that again changes nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nuvo::CDecorateEditDoc read;
  read.SetBaseSize(90);
  read.SetHtml(nuvo::fuzz::AsText(data, size));
  std::string written;
  read.GetHtml(written);
  nuvo::CDecorateEditDoc again;
  again.SetBaseSize(90);
  nuvo::fuzz::Require(again.SetHtml(written), "the writer's fragment reads without complaint");
  std::string rewritten;
  again.GetHtml(rewritten);
  nuvo::fuzz::Require(rewritten == written, "a written fragment reads back as the same model");
  return 0;
}

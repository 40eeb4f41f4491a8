#include "FuzzInput.h"
#include "core/app/MemorySettings.h"
#include "core/document/ArchiveWriter.h"
#include "core/document/NuvoDoc.h"

// Listing files: any bytes either load or give a message, and what loads saves as a file that
// loads again.
namespace {

class SilentPrompt : public nuvo::IUserPrompt {
 public:
  nuvo::PromptAnswer Ask(const nuvo::PromptRequest&) override { return nuvo::PromptAnswer::No; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nuvo::CMemorySettings settings;
  SilentPrompt prompt;
  nuvo::CNuvoDoc doc(settings, prompt);
  if (!doc.LoadFromBytes({data, size})) return 0;
  nuvo::CArchiveWriter archive;
  doc.Serialize(archive);
  const std::string bytes = archive.Bytes();
  const std::vector<std::uint8_t> saved(bytes.begin(), bytes.end());
  nuvo::CNuvoDoc again(settings, prompt);
  nuvo::fuzz::Require(again.LoadFromBytes(saved), "a saved listing loads again");
  return 0;
}

#include "FuzzInput.h"
#include "core/net/ServerReply.h"

// The replies of the maker's update service and the service's status comments.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nuvo::CServerReply reply;
  reply.Parse(nuvo::fuzz::AsText(data, size));
  return 0;
}

#include <string>

#include "FuzzInput.h"
#include "core/net/HttpResponseReader.h"

// A server's response, read as one delivery and as two split where the first byte says: however
// the connection splits the bytes, the reader comes to the same response.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes = nuvo::fuzz::AsText(data + 1, size - 1);
  const std::size_t cut = data[0] % (bytes.size() + 1);
  nuvo::CHttpResponseReader whole;
  nuvo::CHttpResponseReader split;
  std::string wholeBody;
  std::string splitBody;
  const bool wholeRead = whole.Feed(bytes, wholeBody);
  const bool splitRead =
      split.Feed(bytes.substr(0, cut), splitBody) && split.Feed(bytes.substr(cut), splitBody);
  nuvo::fuzz::Require(wholeRead == splitRead, "a split changes whether the bytes are a response");
  if (!wholeRead) return 0;
  nuvo::fuzz::Require(wholeBody == splitBody, "a split changes the body");
  nuvo::fuzz::Require(whole.Done() == split.Done() && whole.Status() == split.Status() &&
                          whole.KeepsConnection() == split.KeepsConnection(),
                      "a split changes the response");
  nuvo::fuzz::Require(whole.End() == split.End(), "a split changes how the response ends");
  return 0;
}

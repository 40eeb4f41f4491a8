#include "FuzzInput.h"
#include "core/document/PhotoSize.h"

// The pixel size of a photo file that may be anything at all.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nuvo::ReadGifSize({data, size});
  nuvo::ReadJpegSize({data, size});
  nuvo::PhotoPixelSize("photo.jpg", {data, size});
  nuvo::PhotoPixelSize("photo.gif", {data, size});
  return 0;
}

#include "FuzzInput.h"
#include "core/html/UrlCoding.h"
#include "core/net/FormData.h"
#include "core/net/HttpUrl.h"

// Form bodies and URL coding of outside text: a field named by a page stays one field in the
// URL-encoded body and one header line in a multipart part, whatever its name holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = nuvo::fuzz::AsText(data, size);
  const std::size_t cut = text.find('\0');
  const std::string name(text.substr(0, cut));
  const std::string value(cut == std::string_view::npos ? std::string_view()
                                                        : text.substr(cut + 1));

  std::string decoded;
  nuvo::DecodeUnicodeEscapes(text, decoded);
  nuvo::ResolveUrl(name, value);

  nuvo::CFormData form(nullptr, size > 0 ? data[0] % 5 : 0);
  form.SetValue(name, value.empty() ? "x" : value);
  const std::string body = form.BuildUrlEncoded();
  nuvo::fuzz::Require(body.find('&') == std::string::npos, "a name adds no field");
  nuvo::fuzz::Require(body.find('=') == body.rfind('='), "a name adds no value");

  const std::string parts = form.BuildMultipart();
  const std::string header = "Content-Disposition: form-data; name=";
  const std::size_t start = parts.find(header);
  nuvo::fuzz::Require(start != std::string::npos, "the part has its header");
  const std::size_t end = parts.find("\r\n", start);
  const std::string line = parts.substr(start + header.size(), end - start - header.size());
  nuvo::fuzz::Require(line.size() >= 2 && line.find('"', 1) == line.size() - 1,
                      "a name cannot end its quotes early");
  nuvo::fuzz::Require(parts.compare(end, 4, "\r\n\r\n") == 0, "a name adds no header line");
  return 0;
}

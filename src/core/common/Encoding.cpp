#include "core/common/Encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace nuvo {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Writes U+FFFD for each byte sequence the source encoding does not define.
void ReplaceWithFffd(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                     UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;
  static const UChar replacement = 0xFFFD;
  *status = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

Converter OpenConverter(const char* name, bool strict) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) return nullptr;
  if (!strict) {
    ucnv_setToUCallBack(converter.get(), ReplaceWithFffd, nullptr, nullptr, nullptr, &status);
  } else {
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &status);
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &status);
  }
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

std::optional<std::u16string> ToUtf16(std::string_view text, const char* from, bool strict) {
  Converter converter = OpenConverter(from, strict);
  if (!converter) return std::nullopt;
  // Every supported encoding needs at most one UTF-16 unit per input byte.
  std::u16string units(text.size(), u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = ucnv_toUChars(converter.get(), units.data(), static_cast<int32_t>(units.size()),
                                 text.data(), static_cast<int32_t>(text.size()), &status);
  if (status == U_STRING_NOT_TERMINATED_WARNING) status = U_ZERO_ERROR;
  if (U_FAILURE(status)) return std::nullopt;
  units.resize(static_cast<std::size_t>(length));
  return units;
}

std::optional<std::string> FromUtf16(const std::u16string& units, Converter converter) {
  if (!converter) return std::nullopt;
  std::string bytes(units.size() * 4 + 8, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length =
      ucnv_fromUChars(converter.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                      units.data(), static_cast<int32_t>(units.size()), &status);
  if (status == U_STRING_NOT_TERMINATED_WARNING) status = U_ZERO_ERROR;
  if (U_FAILURE(status)) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(length));
  return bytes;
}

std::optional<std::string> FromUtf16(const std::u16string& units, const char* to) {
  return FromUtf16(units, OpenConverter(to, true));
}

}  // namespace

std::optional<std::string> ConvertCharset(std::string_view text, const char* from, const char* to) {
  if (text.empty()) return std::string();
  std::optional<std::u16string> units = ToUtf16(text, from, true);
  if (!units) return std::nullopt;
  return FromUtf16(*units, to);
}

std::string Cp932(std::string_view utf8) {
  std::optional<std::string> converted = ConvertCharset(utf8, kUtf8, kCp932);
  if (!converted) {
    std::fprintf(stderr, "nuvo: text does not fit code page 932: %.*s\n",
                 static_cast<int>(utf8.size()), utf8.data());
    std::abort();
  }
  return *converted;
}

std::string Cp932ForMessage(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  std::optional<std::u16string> units = ToUtf16(utf8, kUtf8, false);
  Converter converter = OpenConverter(kCp932, true);
  if (!units || !converter) return std::string();
  // 〓, the mark Japanese text has long used for a character that cannot be shown.
  static const UChar kGeta = 0x3013;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                        &status);
  ucnv_setSubstString(converter.get(), &kGeta, 1, &status);
  if (U_FAILURE(status)) return std::string();
  return FromUtf16(*units, std::move(converter)).value_or(std::string());
}

std::optional<std::string> Cp932FromUtf8(std::string_view utf8) {
  return ConvertCharset(utf8, kUtf8, kCp932);
}

std::string Utf8FromCp932(std::string_view cp932) {
  if (cp932.empty()) return std::string();
  std::optional<std::u16string> units = ToUtf16(cp932, kCp932, false);
  if (!units) return std::string();
  return FromUtf16(*units, kUtf8).value_or(std::string());
}

}  // namespace nuvo

#include "core/net/FormData.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include "core/common/AsciiCase.h"
#include "core/html/Charset.h"
#include "core/html/UrlCoding.h"

namespace nuvo {
namespace {

// A name or file name inside a part header's double quotes: a quote or a line break there would
// end the parameter or add a header line, so they are written the way browsers write them.
std::string QuotedHeaderParameter(const std::string& text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  for (char c : text) {
    switch (c) {
      case '"':
        quoted += "%22";
        break;
      case '\r':
        quoted += "%0D";
        break;
      case '\n':
        quoted += "%0A";
        break;
      default:
        quoted += c;
    }
  }
  quoted += '"';
  return quoted;
}

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

CFormFields::CFormFields(std::vector<std::string> names) : names_(std::move(names)) {
  for (std::size_t i = 0; i < names_.size(); ++i) {
    indexByLowerName_.emplace(AsciiLower(names_[i]), i);
  }
}

int CFormFields::IndexOf(const std::string& name) const {
  const auto found = indexByLowerName_.find(AsciiLower(name));
  return found == indexByLowerName_.end() ? -1 : static_cast<int>(found->second);
}

CFormData::CFormData(std::shared_ptr<const CFormFields> fields, int encoding)
    : fields_(fields ? std::move(fields)
                     : std::make_shared<const CFormFields>(std::vector<std::string>())),
      encoding_(encoding),
      values_(fields_->size()) {}

int CFormData::EncodingForPage(int pageCharset, int fallback) {
  return pageCharset != 0 ? pageCharset : fallback;
}

void CFormData::SetValue(std::size_t index, std::string value) {
  if (index < values_.size()) values_[index] = std::move(value);
}

void CFormData::SetValue(const std::string& name, std::string value) {
  const int index = fields_->IndexOf(name);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)] = std::move(value);
  } else {
    extra_[name] = std::move(value);
  }
}

const std::string& CFormData::GetValue(std::size_t index) const {
  return index < values_.size() ? values_[index] : EmptyText();
}

const std::string& CFormData::GetValue(const std::string& name) const {
  const int index = fields_->IndexOf(name);
  if (index >= 0) return values_[static_cast<std::size_t>(index)];
  const auto found = extra_.find(name);
  return found == extra_.end() ? EmptyText() : found->second;
}

std::int64_t CFormData::GetNumber(std::size_t index) const {
  return std::strtoll(GetValue(index).c_str(), nullptr, 10);
}

std::int64_t CFormData::GetNumber(const std::string& name) const {
  return std::strtoll(GetValue(name).c_str(), nullptr, 10);
}

void CFormData::ClearValue(std::size_t index) { SetValue(index, {}); }

void CFormData::ClearValue(const std::string& name) {
  const int index = fields_->IndexOf(name);
  if (index >= 0) {
    values_[static_cast<std::size_t>(index)].clear();
  } else {
    extra_.erase(name);
  }
}

void CFormData::ClearAll() {
  std::fill(values_.begin(), values_.end(), std::string());
  extra_.clear();
  boundary_.clear();
}

void CFormData::LoadExtraFields(const std::map<std::string, std::string>& values, bool skipEmpty,
                                bool asExtra) {
  for (const auto& [name, value] : values) {
    if (skipEmpty && value.empty()) continue;
    if (asExtra) {
      extra_[name] = value;
    } else {
      SetValue(name, value);
    }
  }
}

std::string CFormData::Encoded(const std::string& value) const {
  unsigned codePage;
  switch (encoding_) {
    case kFormIso2022Jp:
      codePage = 50220;
      break;
    case kFormEucJp:
      codePage = 51932;
      break;
    case kFormUtf8:
      codePage = 65001;
      break;
    default:
      return value;
  }
  // A value the page's encoding cannot hold is sent as it stands rather than dropped: the
  // server shows it garbled, which the seller notices, instead of silently losing the field.
  std::optional<std::string> converted = ConvertCodePage(932, codePage, value);
  return converted ? std::move(*converted) : value;
}

std::string CFormData::BuildUrlEncoded() const {
  std::string body;
  auto append = [&](const std::string& name, const std::string& value) {
    if (value.empty()) return;
    if (!body.empty()) body += '&';
    // Names can come from a fetched page, so they are encoded like values: "a&price=1" must
    // stay one field.
    body += UrlEncode(Encoded(name));
    body += '=';
    body += UrlEncode(Encoded(value));
  };
  for (std::size_t i = 0; i < values_.size(); ++i) append(fields_->Name(i), values_[i]);
  for (const auto& [name, value] : extra_) append(name, value);
  return body;
}

const std::string& CFormData::Boundary() {
  if (boundary_.empty()) {
    static thread_local std::mt19937 random{std::random_device{}()};
    const std::size_t length = 15 + random() % 10;
    while (boundary_.size() < length) {
      switch (random() % 3) {
        case 0:
          boundary_ += static_cast<char>('0' + random() % 10);
          break;
        case 1:
          boundary_ += static_cast<char>('a' + random() % 26);
          break;
        default:
          boundary_ += static_cast<char>('A' + random() % 26);
          break;
      }
    }
  }
  return boundary_;
}

std::string CFormData::DelimiterLine() const { return "--" + boundary_ + "\r\n"; }

void CFormData::AppendTextPart(std::string& body, const std::string& name,
                               const std::string& value) const {
  body += DelimiterLine();
  body +=
      "Content-Disposition: form-data; name=" + QuotedHeaderParameter(Encoded(name)) + "\r\n\r\n";
  body += Encoded(value);
  body += "\r\n";
}

std::string CFormData::BuildMultipart(unsigned flags) {
  Boundary();
  const bool close = (flags & kMultipartOpen) == 0;
  std::string body;
  // A closed body ends with its last field even when that field is empty: the last extra field
  // when there are any, else the last field of the fixed list.
  const bool extraCloses = close && !extra_.empty();
  const bool fixedCloses = close && extra_.empty();
  for (std::size_t i = 0; i < values_.size(); ++i) {
    const bool last = i + 1 == values_.size();
    if (!values_[i].empty() || (fixedCloses && last)) {
      AppendTextPart(body, fields_->Name(i), values_[i]);
    }
  }
  for (auto it = extra_.begin(); it != extra_.end(); ++it) {
    if (!it->second.empty() || (extraCloses && std::next(it) == extra_.end())) {
      AppendTextPart(body, it->first, it->second);
    }
  }
  if (close) body += "--" + boundary_ + "--\r\n";
  return body;
}

std::string CFormData::BuildFilePart(const std::string& name, const std::string& fileName,
                                     const std::filesystem::path& path) {
  Boundary();
  const bool gif = AsciiLower(path.extension().string()) == ".gif";
  std::string part = DelimiterLine();
  part += "Content-Disposition: form-data; name=" + QuotedHeaderParameter(Encoded(name)) +
          "; filename=" + QuotedHeaderParameter(Encoded(fileName)) + "\r\n";
  part += gif ? "Content-Type: image/gif\r\n\r\n" : "Content-Type: image/jpeg\r\n\r\n";
  part += ReadFileBytes(path);
  part += "\r\n";
  return part;
}

std::string CFormData::GetMultipartContentType() {
  return "Content-Type: multipart/form-data; boundary=" + Boundary() + "\r\n";
}

}  // namespace nuvo

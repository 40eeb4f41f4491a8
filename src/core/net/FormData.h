#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// The fields of one form to submit and the two bodies that carry them: URL-encoded text and
// multipart/form-data. Values are code page 932 text; the value encoding decides what the
// server receives.
namespace nuvo {

// The fixed field list of one kind of form: the names in order, looked up without regard to
// letter case.
class CFormFields {
 public:
  explicit CFormFields(std::vector<std::string> names);

  std::size_t size() const { return names_.size(); }
  const std::string& Name(std::size_t index) const { return names_[index]; }
  // The index of `name`, or -1 when the list does not hold it.
  int IndexOf(const std::string& name) const;

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, std::size_t> indexByLowerName_;
};

// Value encodings: what the values are converted to before they are sent.
enum FormEncoding : int {
  kFormShiftJis = 0,  // sent as they are
  kFormIso2022Jp = 1,
  kFormShiftJisPage = 2,  // the form's page is Shift_JIS: sent as they are too
  kFormEucJp = 3,
  kFormUtf8 = 4,
};

// BuildMultipart flag: leave the body open for more parts (no closing line).
inline constexpr unsigned kMultipartOpen = 1;

// One form's values: one per field of its fixed list, plus extra fields by name in name order.
// Owns its values and the multipart boundary, which is made once and then kept.
class CFormData {
 public:
  explicit CFormData(std::shared_ptr<const CFormFields> fields = nullptr,
                     int encoding = kFormShiftJis);

  // The encoding for a form found on a fetched page: the page's charset code when it has one,
  // else `fallback`.
  static int EncodingForPage(int pageCharset, int fallback);

  int Encoding() const { return encoding_; }
  void SetEncoding(int encoding) { encoding_ = encoding; }
  const CFormFields& Fields() const { return *fields_; }
  const std::map<std::string, std::string>& ExtraFields() const { return extra_; }

  void SetValue(std::size_t index, std::string value);
  // A name outside the fixed list goes to the extra fields.
  void SetValue(const std::string& name, std::string value);
  void SetInt(std::size_t index, std::int64_t value) { SetValue(index, std::to_string(value)); }
  void SetInt(const std::string& name, std::int64_t value) {
    SetValue(name, std::to_string(value));
  }

  // Empty for an index past the list or a name that has no value.
  const std::string& GetValue(std::size_t index) const;
  const std::string& GetValue(const std::string& name) const;
  // The leading decimal number of the value (0 when there is none).
  std::int64_t GetNumber(std::size_t index) const;
  std::int64_t GetNumber(const std::string& name) const;
  bool IsEmpty(std::size_t index) const { return GetValue(index).empty(); }
  bool IsEmpty(const std::string& name) const { return GetValue(name).empty(); }
  bool Equals(std::size_t index, const std::string& text) const { return GetValue(index) == text; }
  bool Equals(const std::string& name, const std::string& text) const {
    return GetValue(name) == text;
  }

  void ClearValue(std::size_t index);
  void ClearValue(const std::string& name);
  // Clears the values, the extra fields and the boundary.
  void ClearAll();

  // Takes every entry of `values`; `skipEmpty` leaves out empty values; `asExtra` puts every
  // entry among the extra fields even when its name is in the fixed list.
  void LoadExtraFields(const std::map<std::string, std::string>& values, bool skipEmpty,
                       bool asExtra);

  // "name=value" pairs joined by "&", fixed fields first; empty values are left out. Names and
  // values alike are converted by the value encoding and percent-encoded.
  std::string BuildUrlEncoded() const;
  // The text fields as multipart parts; without kMultipartOpen the body is closed by its last
  // field (written even when empty) and the closing line. A quote, CR or LF in a name is written
  // as "%22", "%0D" or "%0A", so that no name can end its header line.
  std::string BuildMultipart(unsigned flags = 0);
  // One file part: the bytes of the image at `path` under the field `name`, with `fileName` as
  // the name the server is told; "image/gif" for a ".gif" file, else "image/jpeg". A file that
  // cannot be read contributes no bytes.
  std::string BuildFilePart(const std::string& name, const std::string& fileName,
                            const std::filesystem::path& path);
  // The request header line that announces the multipart body.
  std::string GetMultipartContentType();

  // The multipart boundary, made on first use: 15 to 24 random letters and digits.
  const std::string& Boundary();

 private:
  std::string Encoded(const std::string& value) const;
  // "--" + boundary + CR LF; the boundary must have been made.
  std::string DelimiterLine() const;
  void AppendTextPart(std::string& body, const std::string& name, const std::string& value) const;

  std::shared_ptr<const CFormFields> fields_;
  int encoding_;
  std::vector<std::string> values_;
  std::map<std::string, std::string> extra_;
  std::string boundary_;
};

}  // namespace nuvo

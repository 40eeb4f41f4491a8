#include "core/net/CategoryPart.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <span>
#include <string_view>
#include <system_error>

#include "core/net/CategoryQuery.h"

namespace nuvo {
namespace {

constexpr std::string_view kHeader = "NuvoCategoryPart\t1\n";

// Splits `line` at tabs into exactly `fields.size()` fields; false when the count differs.
bool SplitFields(std::string_view line, std::span<std::string_view> fields) {
  std::size_t index = 0;
  while (index < fields.size()) {
    const std::size_t tab = line.find('\t');
    if (index + 1 == fields.size()) {
      if (tab != std::string_view::npos) return false;
      fields[index++] = line;
      break;
    }
    if (tab == std::string_view::npos) return false;
    fields[index++] = line.substr(0, tab);
    line.remove_prefix(tab + 1);
  }
  return true;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<CategoryEntry> ParseEntry(std::string_view line) {
  std::string_view fields[5];
  CategoryEntry entry;
  int leaf = 0;
  if (!SplitFields(line, fields) || !ParseNumber(fields[0], entry.id) ||
      !ParseNumber(fields[1], entry.depth) || !ParseNumber(fields[2], leaf) || entry.depth < 1 ||
      (leaf != 0 && leaf != 1) || fields[3].empty()) {
    return std::nullopt;
  }
  entry.leaf = leaf == 1;
  entry.name = fields[3];
  entry.key = fields[4];
  return entry;
}

}  // namespace

std::optional<CCategoryPart> CCategoryPart::Load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  std::string data(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
  in.seekg(0);
  if (!in.read(data.data(), static_cast<std::streamsize>(data.size())) ||
      !data.starts_with(kHeader)) {
    return std::nullopt;
  }
  std::vector<CategoryEntry> entries;
  entries.reserve(static_cast<std::size_t>(std::count(data.begin(), data.end(), '\n')));
  std::string_view rest = std::string_view(data).substr(kHeader.size());
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) return std::nullopt;  // a cut-off file
    std::optional<CategoryEntry> entry = ParseEntry(rest.substr(0, end));
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
    rest.remove_prefix(end + 1);
  }
  return CCategoryPart(std::move(entries));
}

bool CCategoryPart::Save(const std::filesystem::path& file,
                         const std::vector<CategoryEntry>& entries) {
  std::filesystem::path temporary = file;
  temporary += ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << kHeader;
    for (const CategoryEntry& entry : entries) {
      out << entry.id << '\t' << entry.depth << '\t' << (entry.leaf ? 1 : 0) << '\t' << entry.name
          << '\t' << entry.key << '\n';
    }
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

CCategoryPart::CCategoryPart(std::vector<CategoryEntry> entries) : entries_(std::move(entries)) {
  byId_.resize(entries_.size());
  for (std::uint32_t i = 0; i < byId_.size(); ++i) byId_[i] = i;
  std::sort(byId_.begin(), byId_.end(),
            [this](std::uint32_t a, std::uint32_t b) { return entries_[a].id < entries_[b].id; });
}

const std::string* CCategoryPart::FindName(std::uint32_t id) const {
  const auto it = std::lower_bound(byId_.begin(), byId_.end(), id,
                                   [this](std::uint32_t i, auto v) { return entries_[i].id < v; });
  if (it == byId_.end() || entries_[*it].id != id) return nullptr;
  return &entries_[*it].name;
}

bool CCategoryPart::Find(const CCategoryQuery& query, const CategorySink& sink) const {
  for (const CategoryEntry& entry : entries_) {
    if (query.Matches(entry.key) && !sink(entry)) return false;
  }
  return true;
}

}  // namespace nuvo

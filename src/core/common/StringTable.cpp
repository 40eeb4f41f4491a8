#include "core/common/StringTable.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <unordered_map>

#include "core/common/Encoding.h"

namespace nuvo {
namespace embedded {
extern const std::string_view kMessagesTsv;
}

namespace {

// Undoes the escapes a message text may hold in the table: \r, \n, \t and \\.
std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[++i]) {
      case 'r':
        out += '\r';
        break;
      case 'n':
        out += '\n';
        break;
      case 't':
        out += '\t';
        break;
      default:
        out += text[i];
        break;
    }
  }
  return out;
}

// The table is part of the program, so a fault in it is a build mistake: report it and stop.
[[noreturn]] void Refuse(const char* what, std::string_view line) {
  std::fprintf(stderr, "nuvo: %s in the string table: %.*s\n", what, static_cast<int>(line.size()),
               line.data());
  std::abort();
}

// The compiled-in table in both encodings; the UTF-8 texts are kept in id order for StringIds.
struct Table {
  std::map<int, std::string> utf8;
  std::unordered_map<int, std::string> cp932;
};

const Table& TheTable() {
  static const Table table = [] {
    Table built;
    built.utf8 = ParseStringTable(embedded::kMessagesTsv);
    for (const auto& [id, text] : built.utf8) built.cp932.emplace(id, Cp932(text));
    return built;
  }();
  return table;
}

}  // namespace

std::string_view LoadStringUtf8(int id) {
  auto it = TheTable().utf8.find(id);
  return it == TheTable().utf8.end() ? std::string_view() : std::string_view(it->second);
}

std::string LoadString(int id) {
  auto it = TheTable().cp932.find(id);
  return it == TheTable().cp932.end() ? std::string() : it->second;
}

bool HasString(int id) { return TheTable().utf8.count(id) != 0; }

std::vector<int> StringIds() {
  std::vector<int> ids;
  ids.reserve(TheTable().utf8.size());
  for (const auto& entry : TheTable().utf8) ids.push_back(entry.first);
  return ids;
}

// Lines are "id<TAB>name<TAB>text"; blank lines and lines starting with '#' are skipped.
std::map<int, std::string> ParseStringTable(std::string_view tsv) {
  std::map<int, std::string> texts;
  while (!tsv.empty()) {
    std::size_t end = tsv.find('\n');
    std::string_view line = tsv.substr(0, end);
    tsv = end == std::string_view::npos ? std::string_view() : tsv.substr(end + 1);
    if (line.empty() || line[0] == '#') continue;
    std::size_t tab1 = line.find('\t');
    std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) Refuse("damaged line", line);
    int id = 0;
    auto [rest, error] = std::from_chars(line.data(), line.data() + tab1, id);
    std::string_view name = line.substr(tab1 + 1, tab2 - tab1 - 1);
    // MessageIds.h names only UPPER_SNAKE entries, so any other name would leave its id unnamed.
    if (error != std::errc() || rest != line.data() + tab1 || name.empty() ||
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") != std::string_view::npos) {
      Refuse("damaged line", line);
    }
    if (!texts.emplace(id, Unescape(line.substr(tab2 + 1))).second) Refuse("repeated id", line);
  }
  return texts;
}

}  // namespace nuvo

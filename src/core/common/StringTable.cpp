#include "core/common/StringTable.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
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
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      default: out += text[i]; break;
    }
  }
  return out;
}

struct Table {
  std::unordered_map<int, std::string> utf8;
  std::unordered_map<int, std::string> cp932;
};

// Lines are "id<TAB>name<TAB>text"; blank lines and lines starting with '#' are skipped.
Table ParseTable(std::string_view data) {
  Table table;
  while (!data.empty()) {
    std::size_t end = data.find('\n');
    std::string_view line = data.substr(0, end);
    data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
    if (line.empty() || line[0] == '#') continue;
    std::size_t tab1 = line.find('\t');
    std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    int id = 0;
    if (tab2 == std::string_view::npos ||
        std::from_chars(line.data(), line.data() + tab1, id).ptr != line.data() + tab1) {
      std::fprintf(stderr, "nuvo: damaged string table line: %.*s\n", static_cast<int>(line.size()),
                   line.data());
      std::abort();
    }
    std::string text = Unescape(line.substr(tab2 + 1));
    table.cp932.emplace(id, Cp932(text));
    table.utf8.emplace(id, std::move(text));
  }
  return table;
}

const Table& TheTable() {
  static const Table table = ParseTable(embedded::kMessagesTsv);
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

}  // namespace nuvo

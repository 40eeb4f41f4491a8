#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Encoding.h"
#include "core/net/CategoryCatalogue.h"
#include "core/net/SearchFold.h"

// Builds the 24 parts of the category catalogue from the category lists (UTF-8, one
// "id<TAB>path" line each, levels joined by " > "):
//   nuvo-make-category-parts OUT_DIR LIST.tsv...
// Each top-level category has its own part in a fixed order; the adult categories below "その他"
// go to the last part, which keyword searches leave out. A category whose top level has no part,
// a path that code page 932 cannot hold, or an id given twice fails the build.
namespace {

using nuvo::CategoryEntry;

constexpr std::string_view kSeparator = " > ";
constexpr std::string_view kAdultPrefix = "その他 > アダルト";
constexpr int kAdultPart = nuvo::CCategoryCatalogue::kPartCount - 1;

constexpr std::array<std::string_view, kAdultPart> kTopLevels = {"コンピュータ",
                                                                 "家電、AV、カメラ",
                                                                 "音楽",
                                                                 "本、雑誌",
                                                                 "映画、ビデオ",
                                                                 "おもちゃ、ゲーム",
                                                                 "ホビー、カルチャー",
                                                                 "アンティーク、コレクション",
                                                                 "スポーツ、レジャー",
                                                                 "自動車、オートバイ",
                                                                 "ファッション",
                                                                 "アクセサリー、時計",
                                                                 "ビューティー、ヘルスケア",
                                                                 "食品、飲料",
                                                                 "住まい、インテリア",
                                                                 "ペット、生き物",
                                                                 "事務、店舗用品",
                                                                 "花、園芸",
                                                                 "ベビー用品",
                                                                 "チケット、金券、宿泊予約",
                                                                 "タレントグッズ",
                                                                 "コミック、アニメグッズ",
                                                                 "その他"};

struct Line {
  std::uint32_t id = 0;
  std::string path;  // UTF-8
};

std::optional<int> PartOf(std::string_view path) {
  if (path == kAdultPrefix || (path.starts_with(kAdultPrefix) &&
                               path.substr(kAdultPrefix.size()).starts_with(kSeparator))) {
    return kAdultPart;
  }
  const std::string_view top = path.substr(0, path.find(kSeparator));
  const auto it = std::find(kTopLevels.begin(), kTopLevels.end(), top);
  if (it == kTopLevels.end()) return std::nullopt;
  return static_cast<int>(it - kTopLevels.begin());
}

bool ReadList(const char* file, std::vector<Line>& lines) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", file);
    return false;
  }
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.empty()) continue;
    const std::size_t tab = text.find('\t');
    Line line;
    try {
      std::size_t used = 0;
      const unsigned long id = std::stoul(text.substr(0, tab), &used);
      if (tab == std::string::npos || used != tab || id == 0 || id > 0xFFFFFFFFul) throw 0;
      line.id = static_cast<std::uint32_t>(id);
    } catch (...) {
      std::fprintf(stderr, "%s:%d: not an id<TAB>path line\n", file, number);
      return false;
    }
    line.path = text.substr(tab + 1);
    lines.push_back(std::move(line));
  }
  return true;
}

int Depth(std::string_view path) {
  int depth = 1;
  for (std::size_t at = path.find(kSeparator); at != std::string_view::npos;
       at = path.find(kSeparator, at + kSeparator.size())) {
    ++depth;
  }
  return depth;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: nuvo-make-category-parts OUT_DIR LIST.tsv...\n");
    return 2;
  }
  std::vector<Line> lines;
  for (int i = 2; i < argc; ++i) {
    if (!ReadList(argv[i], lines)) return 1;
  }
  std::vector<std::string> paths;
  for (const Line& line : lines) paths.push_back(line.path + std::string(kSeparator));
  std::sort(paths.begin(), paths.end());

  std::map<std::uint32_t, std::string> seen;
  std::array<std::vector<CategoryEntry>, nuvo::CCategoryCatalogue::kPartCount> parts;
  for (const Line& line : lines) {
    const std::optional<int> part = PartOf(line.path);
    std::optional<std::string> name = nuvo::Cp932FromUtf8(line.path);
    if (!part || !name || !seen.emplace(line.id, line.path).second) {
      std::fprintf(stderr, "category %u (%s): %s\n", line.id, line.path.c_str(),
                   !part   ? "no part for its top level"
                   : !name ? "not representable in code page 932"
                           : "id given twice");
      return 1;
    }
    // Some category lies below this one when a path starts with this path and a separator.
    const std::string prefix = line.path + std::string(kSeparator);
    const auto below = std::upper_bound(paths.begin(), paths.end(), prefix);
    const bool leaf = below == paths.end() || !below->starts_with(prefix);
    parts[*part].push_back(
        {line.id, std::move(*name), nuvo::FoldForSearch(line.path), Depth(line.path), leaf});
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  for (int index = 0; index < nuvo::CCategoryCatalogue::kPartCount; ++index) {
    const std::filesystem::path file = folder / nuvo::CCategoryCatalogue::PartFileName(index);
    if (!nuvo::CCategoryPart::Save(file, parts[index])) {
      std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
      return 1;
    }
  }
  return 0;
}

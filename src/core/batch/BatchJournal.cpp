#include "core/batch/BatchJournal.h"

#include <array>
#include <ctime>
#include <fstream>
#include <span>
#include <sstream>

#include "core/common/AtomicFile.h"
#include "core/common/Encoding.h"
#include "core/common/PathText.h"

// The journal is UTF-8 text: a first line naming the format, then one line per item with its
// fields separated by tabs. Tabs, line ends and backslashes inside a field are escaped, so a
// path or a message of any content reads back as it was written.
namespace nuvo {
namespace {

constexpr std::string_view kSignature = "nuvo-batch-journal 1";
constexpr std::size_t kFieldCount = 6;
constexpr std::array<BatchItemState, 5> kStates = {BatchItemState::Waiting, BatchItemState::Posting,
                                                   BatchItemState::Listed, BatchItemState::Skipped,
                                                   BatchItemState::Failed};

std::string Escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    if (++i == text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::optional<BatchItemState> StateNamed(std::string_view name) {
  for (BatchItemState state : kStates) {
    if (BatchItemStateName(state) == name) return state;
  }
  return std::nullopt;
}

std::optional<BatchItem> ParseItem(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (fields.size() < kFieldCount) {
    const std::size_t tab = line.find('\t', start);
    std::optional<std::string> field =
        Unescape(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
    if (!field) return std::nullopt;
    fields.push_back(std::move(*field));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (fields.size() != kFieldCount || fields[0].empty()) return std::nullopt;
  std::optional<BatchItemState> state = StateNamed(fields[1]);
  std::optional<std::string> message = Cp932FromUtf8(fields[5]);
  if (!state || !message) return std::nullopt;
  BatchItem item;
  item.path = PathFromUtf8(fields[0]);
  item.state = *state;
  item.sha256 = std::move(fields[2]);
  item.auctionId = std::move(fields[3]);
  item.time = std::move(fields[4]);
  item.message = std::move(*message);
  return item;
}

std::string UtcNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  return std::string(text, std::strftime(text, sizeof text, format, &utc));
}

}  // namespace

std::string_view BatchItemStateName(BatchItemState state) {
  switch (state) {
    case BatchItemState::Waiting:
      return "waiting";
    case BatchItemState::Posting:
      return "posting";
    case BatchItemState::Listed:
      return "listed";
    case BatchItemState::Skipped:
      return "skipped";
    case BatchItemState::Failed:
      return "failed";
  }
  return "waiting";
}

std::string BatchTimeNow() { return UtcNow("%Y-%m-%dT%H:%M:%SZ"); }

CBatchJournal::CBatchJournal(std::filesystem::path file,
                             const std::vector<std::filesystem::path>& paths)
    : file_(std::move(file)) {
  const std::string now = BatchTimeNow();
  for (const std::filesystem::path& path : paths) items_.push_back({path, {}, {}, {}, {}, now});
}

std::optional<CBatchJournal> CBatchJournal::Load(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || line != kSignature) return std::nullopt;
  CBatchJournal journal;
  journal.file_ = file;
  while (std::getline(in, line)) {
    std::optional<BatchItem> item = ParseItem(line);
    if (!item) return std::nullopt;
    journal.items_.push_back(std::move(*item));
  }
  if (in.bad()) return std::nullopt;
  return journal;
}

std::filesystem::path CBatchJournal::NewFile(const std::filesystem::path& folder) {
  const std::string stem = UtcNow("batch-%Y%m%d-%H%M%S");
  std::filesystem::path file = folder / (stem + ".txt");
  for (int n = 2; std::filesystem::exists(file); ++n)
    file = folder / (stem + "-" + std::to_string(n) + ".txt");
  return file;
}

bool CBatchJournal::Save() const {
  std::string text(kSignature);
  text += '\n';
  for (const BatchItem& item : items_) {
    text += Escape(PathUtf8(item.path));
    for (std::string_view field : {BatchItemStateName(item.state), std::string_view(item.sha256),
                                   std::string_view(item.auctionId), std::string_view(item.time)}) {
      text += '\t';
      text += Escape(field);
    }
    text += '\t';
    text += Escape(Utf8FromCp932(item.message));
    text += '\n';
  }
  std::error_code error;
  if (!file_.parent_path().empty()) std::filesystem::create_directories(file_.parent_path(), error);
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(text.data()),
                                            text.size());
  return ReplaceFileAtomically(file_, {bytes});
}

std::optional<CBatchJournal> CBatchJournal::LatestUnfinished(const std::filesystem::path& folder) {
  // Journal names start with the batch's start time, so the greatest name is the newest.
  std::filesystem::path latest;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() == ".txt" && path.filename().string().starts_with("batch-") &&
        path.filename() > latest.filename())
      latest = path;
  }
  if (latest.empty()) return std::nullopt;
  std::optional<CBatchJournal> journal = Load(latest);
  if (!journal || journal->CountToDo() == 0) return std::nullopt;
  return journal;
}

int CBatchJournal::CountToDo() const {
  int count = 0;
  for (const BatchItem& item : items_) {
    if (item.state == BatchItemState::Waiting || item.state == BatchItemState::Failed) ++count;
  }
  return count;
}

bool CBatchJournal::IsDone(std::size_t index) const {
  const BatchItemState state = items_[index].state;
  return state == BatchItemState::Listed || state == BatchItemState::Skipped;
}

}  // namespace nuvo

#include "gui/app/TempWorkName.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <system_error>

namespace nuvo {
namespace {

constexpr int kNameLength = 8;
// Beyond this many drawn names the temporary folder is taken to be unusable.
constexpr int kMaxAttempts = 1000;

// Creates `path` only when no file of that name exists, so that two programs never share a name.
bool CreateExclusively(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace

CTempWorkName::CTempWorkName(std::mt19937& random, std::filesystem::path folder)
    : random_(random), folder_(std::move(folder)) {}

CTempWorkName::~CTempWorkName() { Remove(); }

std::filesystem::path CTempWorkName::DrawName() {
  std::string name;
  for (int i = 0; i < kNameLength; ++i) {
    // Each character is first a kind (digit, lower case, upper case), then one of that kind.
    switch (random_() % 3) {
      case 0:
        name += static_cast<char>('0' + random_() % 10);
        break;
      case 1:
        name += static_cast<char>('a' + random_() % 26);
        break;
      default:
        name += static_cast<char>('A' + random_() % 26);
        break;
    }
  }
  return folder_ / name;
}

const std::filesystem::path& CTempWorkName::Get() {
  if (!path_.empty()) return path_;
  if (folder_.empty()) {
    std::error_code error;
    folder_ = std::filesystem::temp_directory_path(error);
    if (error) return path_;
  }
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    std::filesystem::path candidate = DrawName();
    if (CreateExclusively(candidate)) {
      path_ = std::move(candidate);
      break;
    }
  }
  return path_;
}

void CTempWorkName::Remove() {
  if (path_.empty()) return;
  std::error_code ignored;
  const std::string stem = path_.filename().string();
  for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored)) {
    const std::string name = entry.path().filename().string();
    // The work file itself, its page "<name>.htm" and its photos "<name>_NN.ext", with any
    // half-written file the preview writer left beside them.
    if (name == stem || name.starts_with(stem + ".") || name.starts_with(stem + "_")) {
      std::filesystem::remove(entry.path(), ignored);
    }
  }
  path_.clear();
}

}  // namespace nuvo

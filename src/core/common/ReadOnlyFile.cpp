#include "core/common/ReadOnlyFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace nuvo {

std::shared_ptr<const CReadOnlyFile> CReadOnlyFile::Open(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::shared_ptr<const CReadOnlyFile>(new CReadOnlyFile(fd, status));
}

CReadOnlyFile::CReadOnlyFile(int fd, const struct stat& status)
    : fd_(fd), size_(static_cast<std::uint64_t>(status.st_size)), modified_(status.st_mtim) {}

CReadOnlyFile::~CReadOnlyFile() { ::close(fd_); }

bool CReadOnlyFile::IsUnchanged() const {
  struct stat status {};
  return ::fstat(fd_, &status) == 0 && static_cast<std::uint64_t>(status.st_size) == size_ &&
         status.st_mtim.tv_sec == modified_.tv_sec && status.st_mtim.tv_nsec == modified_.tv_nsec;
}

bool CReadOnlyFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
  std::size_t done = 0;
  while (done < into.size()) {
    ssize_t got =
        ::pread(fd_, into.data() + done, into.size() - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace nuvo

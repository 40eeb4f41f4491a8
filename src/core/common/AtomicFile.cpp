#include "core/common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

namespace nuvo {
namespace {

// The temporary file being written. It asks the kernel to start writing each few megabytes to
// the disk as soon as they are in place, so that the final fsync waits for the last of them only
// instead of for the whole file.
class CTemporaryOutput {
 public:
  explicit CTemporaryOutput(int fd) : fd_(fd) {}

  bool Write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const std::size_t step = std::min(bytes.size() - done, kWritebackStep);
      ssize_t written = ::write(fd_, bytes.data() + done, step);
      if (written < 0 && errno == EINTR) continue;
      if (written < 0) return false;
      done += static_cast<std::size_t>(written);
      Advance(written);
    }
    return true;
  }

  bool Copy(const FileRange& range) {
    auto from = static_cast<off_t>(range.offset);
    std::uint64_t done = 0;
    while (done < range.size) {
      const std::size_t step = std::min<std::uint64_t>(range.size - done, kWritebackStep);
      ssize_t copied = ::copy_file_range(range.file->Handle(), &from, fd_, nullptr, step, 0);
      if (copied < 0 && errno == EINTR) continue;
      if (copied < 0 && done == 0 &&
          (errno == EXDEV || errno == ENOSYS || errno == EOPNOTSUPP || errno == EINVAL)) {
        return CopyThroughMemory(range);
      }
      // Nothing copied before the end means the file has been cut short since it was opened.
      if (copied <= 0) return false;
      done += static_cast<std::uint64_t>(copied);
      Advance(copied);
    }
    return true;
  }

 private:
  static constexpr std::size_t kWritebackStep = 4 << 20;

  // The portable way, through a buffer, for file systems that cannot copy inside the kernel.
  bool CopyThroughMemory(const FileRange& range) {
    std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(range.size, 1 << 20));
    for (std::uint64_t done = 0; done < range.size;) {
      const std::size_t part = std::min<std::uint64_t>(buffer.size(), range.size - done);
      const std::span<std::uint8_t> chunk(buffer.data(), part);
      if (!range.file->ReadAt(range.offset + done, chunk) || !Write(chunk)) return false;
      done += part;
    }
    return true;
  }

  void Advance(ssize_t bytes) {
    end_ += bytes;
    if (end_ - started_ < static_cast<off_t>(kWritebackStep)) return;
    ::sync_file_range(fd_, started_, end_ - started_, SYNC_FILE_RANGE_WRITE);
    started_ = end_;
  }

  int fd_;
  off_t end_ = 0;      // the bytes written so far
  off_t started_ = 0;  // the bytes whose writing to the disk has been started
};

bool WritePiece(CTemporaryOutput& output, const ContentPiece& piece) {
  if (const auto* bytes = std::get_if<std::span<const std::uint8_t>>(&piece)) {
    return output.Write(*bytes);
  }
  return output.Copy(std::get<FileRange>(piece));
}

}  // namespace

bool ReplaceFileAtomically(const std::filesystem::path& path,
                           const std::vector<ContentPiece>& pieces) {
  std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
  std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  struct stat old {};
  mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool ok = ::fchmod(fd, mode) == 0;
  CTemporaryOutput output(fd);
  for (const ContentPiece& piece : pieces) ok = ok && WritePiece(output, piece);
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace nuvo

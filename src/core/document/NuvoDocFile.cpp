#include <memory>
#include <new>

#include "core/common/AsciiCase.h"
#include "core/common/AtomicFile.h"
#include "core/common/ReadOnlyFile.h"
#include "core/common/StringTable.h"
#include "core/document/ArchiveException.h"
#include "core/document/NuvoDoc.h"

// Listing files on disk: the checks before a file is opened, reading it into a separate document
// so that a failed read leaves the open listing alone, and atomic saving.
namespace nuvo {
namespace {

bool HasDocumentExtension(const std::filesystem::path& path) {
  return AsciiLower(path.extension().string()) == ".nvd";
}

int MessageForCode(std::uint32_t code) {
  switch (code) {
    case kArchiveBadSignature:
      return IDS_BAD_FILE_FORMAT;
    case kArchiveBadVersion:
      return IDS_UNSUPPORTED_FILE_VERSION;
    default:
      return IDS_FILE_DAMAGED;
  }
}

}  // namespace

bool CNuvoDoc::OnOpenDocument(const std::filesystem::path& path) {
  if (!HasDocumentExtension(path)) {
    ShowMessage(prompt_, IDS_NOT_NUVO_FILE);
    return false;
  }
  std::error_code error;
  if (!std::filesystem::exists(path, error)) {
    ShowMessage(prompt_, IDS_FILE_NOT_FOUND);
    return false;
  }
  std::shared_ptr<const CReadOnlyFile> file = CReadOnlyFile::Open(path);
  if (!file) {
    ShowMessage(prompt_, IDS_FILE_READ_FAILED);
    return false;
  }
  if (file->Size() > kMaxFileMegabytes * 1024 * 1024) {
    ShowMessage(prompt_, IDS_FILE_TOO_LARGE, {static_cast<std::int64_t>(kMaxFileMegabytes)});
    return false;
  }
  // Read straight from the file: the photos stay there, and the listing keeps the file open
  // until they are read or copied into the next save.
  CArchiveReader archive(std::move(file));
  return Load(archive);
}

bool CNuvoDoc::LoadFromBytes(std::span<const std::uint8_t> bytes) {
  CArchiveReader archive(bytes);
  return Load(archive);
}

bool CNuvoDoc::Load(CArchiveReader& archive) {
  CNuvoDoc loaded(Scratch{}, *this);
  std::vector<PendingMessage> messages;
  try {
    loaded.Serialize(archive, messages);
  } catch (const CArchiveException& e) {
    ShowMessage(prompt_, MessageForCode(e.Code()));
    return false;
  } catch (const std::bad_alloc&) {
    // The listing already open stays; only this file cannot be read.
    ShowMessage(prompt_, IDS_FILE_READ_FAILED);
    return false;
  }
  TakeContentOf(loaded);
  modified_ = false;
  for (const PendingMessage& message : messages) ShowMessage(prompt_, message.id, {message.arg});
  return true;
}

bool CNuvoDoc::OnSaveDocument(const std::filesystem::path& path) {
  CArchiveWriter archive;
  Serialize(archive);
  if (!archive.FilesUnchanged()) {
    ShowMessage(prompt_, IDS_SOURCE_FILE_CHANGED);
    return false;
  }
  if (!ReplaceFileAtomically(path, archive.Pieces())) {
    ShowMessage(prompt_, IDS_FILE_SAVE_FAILED);
    return false;
  }
  modified_ = false;
  history_.MarkSaved();
  return true;
}

}  // namespace nuvo

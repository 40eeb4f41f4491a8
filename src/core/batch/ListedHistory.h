#pragma once

#include <filesystem>
#include <string>
#include <unordered_map>

#include "core/batch/BatchJournal.h"

// What earlier batches put on the service, known by the fingerprint of the bytes they sent: the
// listed items of every journal in the journal folder, and those whose final post went out with
// no answer recorded, which may be listed too. A batch asks it before each submission so that
// the same listing is never posted twice by accident, even when the file was copied or renamed.
namespace nuvo {

struct ListedRecord {
  BatchItemState state = BatchItemState::Listed;  // Listed, or Posting when the outcome is unknown
  std::string auctionId;
  std::filesystem::path path;  // the file as that batch named it
};

class CListedHistory {
 public:
  // Reads every journal in `folder` except `except` (the batch's own, which the runner consults
  // as it changes). Journals that cannot be read are passed over.
  static CListedHistory Read(const std::filesystem::path& folder,
                             const std::filesystem::path& except = {});

  // Takes in what one item says; a listing known as listed stays listed.
  void Note(const BatchItem& item);
  // The record for `sha256`, or null when no batch sent those bytes.
  const ListedRecord* Find(const std::string& sha256) const;

 private:
  std::unordered_map<std::string, ListedRecord> records_;
};

}  // namespace nuvo

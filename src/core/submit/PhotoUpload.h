#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/submit/SubmitHost.h"
#include "core/submit/SubmitSession.h"

// The photo step of a submission: from the sell form to the service's photo page, the photos
// sent there as multipart forms, and back to the sell form, which then carries them. Holds the
// made-up file names' letters, chosen once per upload.
namespace nuvo {

class CServiceProfile;

// One photo as it is sent: the listing's name for it (its extension decides the type) and the
// file's bytes.
struct SubmitPhoto {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

// How a step ended: done, failed with a message to show, or failed with nothing more to say (the
// HTTP client has shown the failure, or the seller cancelled).
struct StepResult {
  bool ok = true;
  std::optional<SubmitMessage> message;

  static StepResult Done() { return {}; }
  static StepResult Quiet() { return {false, std::nullopt}; }
  static StepResult Fail(SubmitMessage message) { return {false, std::move(message)}; }
};

class CPhotoUpload {
 public:
  // Sends everything at once (index kAllPhotos) rather than one photo per request.
  static constexpr int kAllPhotos = -1;

  CPhotoUpload(CSubmitSession& session, ISubmitHost& host, const CServiceProfile& profile);

  // Whether `photos` go in one request: the option is on, the limit above 0 and the photos'
  // total size within it.
  static bool SendTogether(const std::vector<SubmitPhoto>& photos, bool option, std::int64_t limit);

  // Leaves the current sell form (`sellForm`) for the photo page.
  StepResult OpenPhotoPage(const CHtmlNode* sellForm);
  // Sends photo `index` (0-based) or all of them; an empty list succeeds at once, an index past
  // the end fails.
  StepResult Upload(const std::vector<SubmitPhoto>& photos, int index);
  // Confirms the photos and goes back to the sell form.
  StepResult ReturnToSellForm();

  // The name the service is told for photo `number` (1-based): "c:\" and seven letters, the
  // number and "gif" or "jpg".
  std::string FileName(const SubmitPhoto& photo, int number) const;

 private:
  StepResult ParameterMissing(const char* name) const;
  SubmitMessage PageMessage(int id, std::int64_t number = 0) const;

  CSubmitSession& session_;
  ISubmitHost& host_;
  const CServiceProfile& profile_;
  std::string letters_;
};

// "image/gif" for a photo named ".gif" in any letter case, else "image/jpeg".
bool IsGifName(const std::string& name);

}  // namespace nuvo

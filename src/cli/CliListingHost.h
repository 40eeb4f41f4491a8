#pragma once

#include <memory>
#include <optional>

#include "core/app/AppComm.h"
#include "core/editing/ListingSubmitter.h"
#include "core/net/HttpTransport.h"
#include "core/net/ServiceProfile.h"
#include "core/submit/SubmitHost.h"

namespace nuvo::cli {

// The submitting routine's surroundings in a terminal, for submit and for each item of a batch:
// questions go to the run's host (standard error, answered from --yes), the common settings are
// the seller's stored ones (no dialog), edits stay in the listing in memory so that the file is
// never changed, and the run goes out through the program's own network stack.
class CCliListingHost : public ISubmitListingHost {
 public:
  CCliListingHost(CNuvoDoc& doc, CAppComm app, ISubmitHost& runHost, IHttpTransport& transport,
                  const CServiceProfile& profile)
      : doc_(doc), app_(app), runHost_(runHost), transport_(transport), profile_(profile) {}

  PromptAnswer Ask(const PromptRequest& request) override { return runHost_.Ask(request); }
  // The message that follows names what was found; a terminal has no field to bring forward.
  void ShowFinding(const CSubmitFinding&) override {}
  std::optional<CCommonSubmitSettings> ConfirmSettings(ESubmitForm form) override;
  void Execute(std::unique_ptr<CEditCommand> command) override;
  CRunReport RunSubmission(const CSubmitSettings& settings, SubmitListing listing,
                           const SubmitRunOptions& options) override;

 private:
  CNuvoDoc& doc_;
  CAppComm app_;
  ISubmitHost& runHost_;
  IHttpTransport& transport_;
  const CServiceProfile& profile_;
};

}  // namespace nuvo::cli

#include "cli/CliListingHost.h"

#include "core/document/NuvoDoc.h"
#include "core/submit/SubmitRun.h"

namespace nuvo::cli {

std::optional<CCommonSubmitSettings> CCliListingHost::ConfirmSettings(ESubmitForm form) {
  CCommonSubmitSettings settings(form);
  settings.Load(app_);
  return settings;
}

void CCliListingHost::Execute(std::unique_ptr<CEditCommand> command) {
  doc_.ExecuteCommand(std::move(command));
}

CRunReport CCliListingHost::RunSubmission(const CSubmitSettings& settings, SubmitListing listing,
                                          const SubmitRunOptions& options) {
  CSubmitRun run(transport_, runHost_, profile_, settings, std::move(listing), options);
  run.Run();
  return CRunReport::Of(run);
}

}  // namespace nuvo::cli

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/JsonOut.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/CommonSubmitSettings.h"
#include "core/editing/SubmitChecks.h"

// check FILE.nvd [--easy-trade|--normal]: runs every check a submission runs before it posts,
// with the user's options and common settings, and prints all that they find as one JSON object
// (UTF-8), so a seller can fix a listing in one pass. Exit 0 when nothing stops the submission.
namespace nuvo::cli {
namespace {

bool ParseArgs(const std::vector<std::string>& args, std::string& file, ESubmitForm& form) {
  bool formGiven = false;
  for (const std::string& arg : args) {
    if (arg == "--easy-trade" || arg == "--normal") {
      if (formGiven) return false;
      formGiven = true;
      form = arg == "--normal" ? ESubmitForm::Normal : ESubmitForm::EasyTrade;
    } else if (arg.empty() || arg[0] == '-' || !file.empty()) {
      return false;
    } else {
      file = arg;
    }
  }
  return !file.empty();
}

void PrintFindings(const std::vector<CSubmitFinding>& findings, bool ok) {
  CJsonOut json;
  json.Open('{');
  json.Key("ok");
  json.Boolean(ok);
  json.Key("findings");
  json.Open('[');
  for (const CSubmitFinding& finding : findings) {
    json.Open('{');
    json.Key("step");
    json.String(finding.step);
    json.Key("message");
    json.Text(finding.message);
    json.Key("field");
    json.String(finding.field);
    json.Key("row");
    json.Number(finding.row);
    json.Key("stops");
    json.Boolean(finding.stops);
    json.Key("asks");
    json.Boolean(finding.asks);
    json.Close('}');
  }
  json.Close(']');
  json.Close('}');
  std::printf("%s\n", json.Result().c_str());
}

}  // namespace

int CheckListing(const GlobalOptions& options, const std::vector<std::string>& args) {
  std::string file;
  ESubmitForm form = ESubmitForm::EasyTrade;
  if (!ParseArgs(args, file, form)) return kExitUsage;
  CRunSettings settings(options);
  CRecordingPrompt prompt;
  CNuvoDoc doc(settings, prompt);
  if (!doc.OnOpenDocument(file)) {
    prompt.PrintAll();
    return kExitFailed;
  }
  prompt.PrintAll();

  const CAppComm app(settings);
  CAppOptions appOptions;
  appOptions.Load(app);
  CCommonSubmitSettings submitSettings(form);
  submitSettings.Load(app);
  const CSubmitCheckContext context{appOptions.optionValue, form,
                                    submitSettings.post.SellerPaysPostage(),
                                    appOptions.banners.size()};
  const std::vector<CSubmitFinding> findings = nuvo::CheckListing(doc, context);
  const bool ok = std::none_of(findings.begin(), findings.end(),
                               [](const CSubmitFinding& finding) { return finding.stops; });
  PrintFindings(findings, ok);
  return ok ? kExitOk : kExitFailed;
}

}  // namespace nuvo::cli

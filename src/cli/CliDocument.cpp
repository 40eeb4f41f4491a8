#include "cli/CliDocument.h"

#include <cstdio>

#include "core/app/AppComm.h"
#include "core/app/SamplesFolder.h"
#include "core/common/Encoding.h"
#include "gui/app/BundledSamples.h"
#include "gui/app/QtSettingsBackend.h"

namespace nuvo::cli {
namespace {

const std::string kInstallation = "Installation";
const std::string kSamples = "Samples";

}  // namespace

CRunSettings::CRunSettings(const GlobalOptions& options)
    : user_(std::make_unique<CQtSettingsBackend>()) {
  std::optional<std::string> folder;
  if (!options.samplesFolder.empty()) {
    folder = Cp932FromUtf8(options.samplesFolder);
  } else if (user_->ReadString(kInstallation, kSamples).value_or("").empty()) {
    folder = Cp932FromUtf8(BundledSamplesFolder().string());
  }
  if (folder) run_.WriteString(kInstallation, kSamples, *folder);
}

CRunSettings::~CRunSettings() = default;

void CRunSettings::Override(const std::string& section, const std::string& key, int value) {
  run_.WriteInt(section, key, value);
}

std::optional<int> CRunSettings::ReadInt(const std::string& section, const std::string& key) const {
  if (auto value = run_.ReadInt(section, key)) return value;
  return user_->ReadInt(section, key);
}

std::optional<std::string> CRunSettings::ReadString(const std::string& section,
                                                    const std::string& key) const {
  if (auto value = run_.ReadString(section, key)) return value;
  return user_->ReadString(section, key);
}

bool CRunSettings::WriteInt(const std::string& section, const std::string& key, int value) {
  return run_.WriteInt(section, key, value);
}

bool CRunSettings::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) {
  return run_.WriteString(section, key, value);
}

PromptAnswer CRecordingPrompt::Ask(const PromptRequest& request) {
  messages_.push_back(Utf8FromCp932(request.text));
  return request.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::No;
}

void CRecordingPrompt::PrintAll() const {
  for (const std::string& message : messages_) std::fprintf(stderr, "%s\n", message.c_str());
}

}  // namespace nuvo::cli

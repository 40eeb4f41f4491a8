#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "core/app/MemorySettings.h"
#include "core/app/SettingsBackend.h"
#include "core/common/UserPrompt.h"

// What the listing commands share: the program's settings as this run sees them, and a prompt
// that keeps the messages a command would have shown.
namespace nuvo::cli {

// The user's settings, read through; values set for this run (--samples, the options of a
// command) come first, and whatever the program writes stays in this run, so nuvo-cli never
// changes the settings. An empty "Samples" folder is the bundled one, as at the program's start.
class CRunSettings : public ISettingsBackend {
 public:
  explicit CRunSettings(const GlobalOptions& options);
  ~CRunSettings() override;

  void Override(const std::string& section, const std::string& key, int value);

  std::optional<int> ReadInt(const std::string& section, const std::string& key) const override;
  std::optional<std::string> ReadString(const std::string& section,
                                        const std::string& key) const override;
  bool WriteInt(const std::string& section, const std::string& key, int value) override;
  bool WriteString(const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  std::unique_ptr<ISettingsBackend> user_;
  CMemorySettings run_;
};

// Keeps the text (UTF-8) of every message; questions are answered No.
class CRecordingPrompt : public IUserPrompt {
 public:
  PromptAnswer Ask(const PromptRequest& request) override;
  const std::vector<std::string>& Messages() const { return messages_; }
  // Writes each message to standard error, one per line.
  void PrintAll() const;

 private:
  std::vector<std::string> messages_;
};

}  // namespace nuvo::cli

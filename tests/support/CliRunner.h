#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

// Runs nuvo-cli as a separate process with its settings in a fresh folder (or in `configHome`,
// which the test prepared), feeding `input` on standard input and keeping what it prints.
struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline CliResult RunCli(const std::vector<std::string>& args, const std::string& input = {},
                        const std::filesystem::path& configHome = {}) {
  TempDir dir;
  std::ofstream(dir.path() / "stdin", std::ios::binary) << input;
  const std::filesystem::path config = configHome.empty() ? dir.path() / "config" : configHome;
  std::string command =
      "XDG_CONFIG_HOME=" + ShellQuote(config.string()) + " " + ShellQuote(NUVO_CLI_PATH);
  for (const std::string& arg : args) command += " " + ShellQuote(arg);
  command += " <" + ShellQuote((dir.path() / "stdin").string()) + " >" +
             ShellQuote((dir.path() / "stdout").string()) + " 2>" +
             ShellQuote((dir.path() / "stderr").string());
  int status = std::system(command.c_str());
  CliResult result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.out = ReadWholeFile(dir.path() / "stdout");
  result.err = ReadWholeFile(dir.path() / "stderr");
  return result;
}

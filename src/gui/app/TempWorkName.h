#pragma once

#include <filesystem>
#include <random>

// The program's temporary work name: a file of eight random letters and digits in the system's
// temporary folder, made on first request. The preview's page and photo files are named after it
// ("Ab3dE9xz.htm", "Ab3dE9xz_01.jpg"); Remove takes the work file and those files away again.
namespace nuvo {

class CTempWorkName {
 public:
  // Names are drawn from `random`; `folder` is where the work file goes (default: the system's
  // temporary folder).
  explicit CTempWorkName(std::mt19937& random, std::filesystem::path folder = {});
  ~CTempWorkName();
  CTempWorkName(const CTempWorkName&) = delete;
  CTempWorkName& operator=(const CTempWorkName&) = delete;

  // The work file, created empty on the first call; empty when no such file could be made.
  const std::filesystem::path& Get();
  bool IsMade() const { return !path_.empty(); }

  // Deletes the work file and the preview files named after it.
  void Remove();

 private:
  std::filesystem::path DrawName();

  std::mt19937& random_;
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

}  // namespace nuvo

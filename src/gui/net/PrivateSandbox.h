#pragma once

#include <QProcess>
#include <QString>
#include <optional>
#include <string>

#include "core/net/ServiceProfile.h"

// A nuvo-sandbox of this run's own, for "nuvo --sandbox": started beside the program, its
// profile read from the first line it prints, and stopped when this object goes, so trying the
// whole flow needs nothing but the program. Owns the process.
namespace nuvo {

class CPrivateSandbox {
 public:
  CPrivateSandbox() = default;
  ~CPrivateSandbox();
  CPrivateSandbox(const CPrivateSandbox&) = delete;
  CPrivateSandbox& operator=(const CPrivateSandbox&) = delete;

  // Starts the sandbox and returns its profile; nullopt with the message (code page 932) in
  // `error` when it cannot be started or prints no profile.
  std::optional<CServiceProfile> Start(std::string& error);

  // Where the program is looked for: beside this program (installed), then in the build tree.
  static QString ProgramPath();

 private:
  QProcess process_;
};

}  // namespace nuvo

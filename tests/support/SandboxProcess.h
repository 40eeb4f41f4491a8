#pragma once

#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/net/ServiceProfile.h"

// A private nuvo-sandbox for one test: started from the build tree on free ports, its profile
// read from the first line it prints, controlled through its /__sandbox/ addresses, and stopped
// when the object goes. Link the test with nuvo_use_sandbox() in CMake, which names the program
// in NUVO_SANDBOX_PATH.
class SandboxProcess {
 public:
  // `arguments` go to nuvo-sandbox as they stand, such as {"--charset", "euc-jp"}.
  explicit SandboxProcess(const std::vector<std::string>& arguments = {}) {
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("nuvo-sandbox: no pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv{const_cast<char*>(NUVO_SANDBOX_PATH)};
      for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
      argv.push_back(nullptr);
      execv(NUVO_SANDBOX_PATH, argv.data());
      _exit(127);
    }
    close(out[1]);
    std::string line;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
    close(out[0]);
    std::string error;
    auto profile = nuvo::CServiceProfile::Parse(line, "nuvo-sandbox", error);
    if (!profile) {
      Stop();
      throw std::runtime_error("nuvo-sandbox printed no profile: " + line);
    }
    profileJson_ = line;
    profile_ = std::make_unique<nuvo::CServiceProfile>(*profile);
  }
  ~SandboxProcess() { Stop(); }
  SandboxProcess(const SandboxProcess&) = delete;
  SandboxProcess& operator=(const SandboxProcess&) = delete;

  const nuvo::CServiceProfile& Profile() const { return *profile_; }
  // The profile line as nuvo-sandbox printed it, ready for a profile file.
  const std::string& ProfileJson() const { return profileJson_; }
  const std::string& Url(nuvo::ServiceRole role) const { return profile_->BaseUrl(role); }

  // A client for the port of `role`; it follows no redirects, so a test sees each one.
  httplib::Client Client(nuvo::ServiceRole role = nuvo::ServiceRole::Sell) const {
    httplib::Client client(Url(role));
    client.set_follow_location(false);
    client.set_read_timeout(10, 0);
    return client;
  }

  // Forgets listings, requests, sessions and the scenario.
  void Reset() const { Control("/__sandbox/reset", "{}"); }
  // Sets the scenario (JSON, as docs/sandbox.md describes it).
  void SetScenario(const std::string& json) const { Control("/__sandbox/scenario", json); }
  // The accepted listings and recorded deviations (JSON).
  std::string Listings() const { return Fetch("/__sandbox/listings"); }
  // Every request the sandbox answered (JSON).
  std::string Requests() const { return Fetch("/__sandbox/requests"); }

 private:
  void Control(const std::string& path, const std::string& body) const {
    auto result = Client().Post(path.c_str(), body, "application/json");
    if (!result || result->status != 200) {
      throw std::runtime_error("nuvo-sandbox refused " + path + ": " +
                               (result ? result->body : std::string("no answer")));
    }
  }
  std::string Fetch(const std::string& path) const {
    auto result = Client().Get(path.c_str());
    if (!result || result->status != 200) throw std::runtime_error("nuvo-sandbox: no " + path);
    return result->body;
  }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  pid_t pid_ = -1;
  std::string profileJson_;
  std::unique_ptr<nuvo::CServiceProfile> profile_;
};

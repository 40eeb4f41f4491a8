#include <httplib.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/common/Encoding.h"
#include "core/net/ServiceProfile.h"
#include "sandbox/SandboxService.h"

// nuvo-sandbox: a stand-in for the auction service on 127.0.0.1, one port per role, for trying
// and testing submissions without the real service. Prints its service profile as the first
// line of standard output and runs until SIGINT or SIGTERM.
namespace {

using nuvo::kServiceRoleCount;
using nuvo::ServiceRole;

void PrintUsage() {
  std::fprintf(stderr,
               "usage: nuvo-sandbox [--port-base N] [--profile-out FILE] "
               "[--charset shift_jis|euc-jp|utf-8]\n");
}

struct Options {
  int portBase = 0;
  std::string profileOut;
  nuvo::sandbox::PageCharset charset{nuvo::kCp932, "Shift_JIS"};
};

bool ParseOptions(int argc, char* argv[], Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--port-base") {
      char* end = nullptr;
      long base = std::strtol(value.c_str(), &end, 10);
      if (*end != '\0' || base < 1 || base + static_cast<long>(kServiceRoleCount) > 65536) {
        return false;
      }
      options.portBase = static_cast<int>(base);
    } else if (arg == "--profile-out") {
      options.profileOut = value;
    } else if (arg == "--charset") {
      if (value == "shift_jis") {
        options.charset = {nuvo::kCp932, "Shift_JIS"};
      } else if (value == "euc-jp") {
        options.charset = {nuvo::kEucJp, "EUC-JP"};
      } else if (value == "utf-8") {
        options.charset = {nuvo::kUtf8, "UTF-8"};
      } else {
        return false;
      }
    } else {
      return false;
    }
  }
  return true;
}

// Writes the profile beside its final name first, so a reader never sees half of it.
bool WriteProfile(const std::string& path, const std::string& json) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << json << '\n';
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(part, path, error);
  return !error;
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    PrintUsage();
    return 2;
  }
  // The signals that end the program are taken by sigwait below, never by a server thread.
  sigset_t endSignals;
  sigemptyset(&endSignals);
  sigaddset(&endSignals, SIGINT);
  sigaddset(&endSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  std::vector<std::unique_ptr<httplib::Server>> servers;
  std::array<std::string, kServiceRoleCount> urls;
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    auto server = std::make_unique<httplib::Server>();
    server->new_task_queue = [] { return new httplib::ThreadPool(4); };
    int port = options.portBase > 0 ? options.portBase + static_cast<int>(i) : 0;
    if (options.portBase > 0) {
      if (!server->bind_to_port("127.0.0.1", port)) port = -1;
    } else {
      port = server->bind_to_any_port("127.0.0.1");
    }
    if (port <= 0) {
      std::fprintf(
          stderr, "nuvo-sandbox: cannot listen on 127.0.0.1 for the %s role\n",
          std::string(nuvo::CServiceProfile::RoleKey(static_cast<ServiceRole>(i))).c_str());
      return 1;
    }
    urls[i] = "http://127.0.0.1:" + std::to_string(port);
    servers.push_back(std::move(server));
  }

  nuvo::sandbox::CSandboxService service(urls, options.charset);
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    const auto role = static_cast<ServiceRole>(i);
    httplib::Server& server = *servers[i];
    auto handler = [&service, role](const httplib::Request& request, httplib::Response& response) {
      service.Handle(role, request, response);
    };
    server.Get(".*", handler).Post(".*", handler).Put(".*", handler).Delete(".*", handler);
    server.set_error_handler(
        [&service, role](const httplib::Request& request, httplib::Response& response) {
          // Our own pages always have a body; an empty one is cpp-httplib refusing the request.
          if (response.body.empty() && response.status == 400) {
            service.HandleRefused(role, request, response);
          }
        });
  }
  std::vector<std::thread> threads;
  for (auto& server : servers) threads.emplace_back([&server] { server->listen_after_bind(); });

  const std::string profile = nuvo::CServiceProfile::FromUrls("nuvo-sandbox", urls).ToJson();
  std::printf("%s\n", profile.c_str());
  std::fflush(stdout);
  if (!options.profileOut.empty() && !WriteProfile(options.profileOut, profile)) {
    std::fprintf(stderr, "nuvo-sandbox: cannot write %s\n", options.profileOut.c_str());
  }

  int received = 0;
  sigwait(&endSignals, &received);
  for (auto& server : servers) server->stop();
  for (auto& thread : threads) thread.join();
  return 0;
}

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
#include "sandbox/Scenario.h"
#include "sandbox/SelfSignedCertificate.h"

// nuvo-sandbox: a stand-in for the auction service on 127.0.0.1, one port per role, for trying
// and testing submissions without the real service. Prints its service profile as the first
// line of standard output and runs until SIGINT or SIGTERM.
namespace {

using nuvo::kServiceRoleCount;
using nuvo::ServiceRole;

// Far more than a listing with ten photos needs, but a bound on what one request may hold.
constexpr std::size_t kMaxBodyBytes = 64 * 1024 * 1024;

void PrintUsage() {
  std::fprintf(stderr,
               "usage: nuvo-sandbox [--port-base N] [--profile-out FILE] "
               "[--charset shift_jis|euc-jp|utf-8] [--tls [--cert-out FILE]] "
               "[--scenario JSON]\n");
}

struct Options {
  int portBase = 0;
  std::string profileOut;
  bool tls = false;
  std::string certOut;  // where the TLS certificate goes, for a client that is to trust it
  nuvo::sandbox::PageCharset charset{nuvo::kCp932, "Shift_JIS"};
  nuvo::sandbox::Scenario scenario;  // played from the start and after every reset
};

bool ParseOptions(int argc, char* argv[], Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--tls") {
      options.tls = true;
      continue;
    }
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
    } else if (arg == "--cert-out") {
      options.certOut = value;
    } else if (arg == "--scenario") {
      std::string why;
      if (!nuvo::sandbox::ParseScenario(value, options.scenario, why)) {
        std::fprintf(stderr, "nuvo-sandbox: --scenario: %s\n", why.c_str());
        return false;
      }
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
  return options.certOut.empty() || options.tls;
}

// cpp-httplib refuses a URL-encoded body it reads itself once it passes 8 KB, far below a real
// listing's description, so every post is read here instead: plain bodies whole, multipart
// bodies through the library's own part parser. False when the body could not be read.
bool ReadWholeRequest(const httplib::Request& request, const httplib::ContentReader& reader,
                      httplib::Request& whole) {
  whole = request;
  if (!request.is_multipart_form_data()) {
    return reader([&whole](const char* data, std::size_t size) {
      whole.body.append(data, size);
      return true;
    });
  }
  auto part = whole.files.end();
  return reader(
      [&](const httplib::MultipartFormData& header) {
        part = whole.files.emplace(header.name, header);
        return true;
      },
      [&](const char* data, std::size_t size) {
        if (part == whole.files.end()) return false;
        part->second.content.append(data, size);
        return true;
      });
}

// Writes a file beside its final name first, so a reader never sees half of it.
bool WriteWhole(const std::string& path, const std::string& text) {
  const std::string part = path + ".part";
  {
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out << text;
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

  nuvo::sandbox::CSelfSignedCertificate certificate;
  if (options.tls && !certificate.Generate()) {
    std::fprintf(stderr, "nuvo-sandbox: cannot make a TLS certificate\n");
    return 1;
  }
  if (!options.certOut.empty() && !WriteWhole(options.certOut, certificate.Pem())) {
    std::fprintf(stderr, "nuvo-sandbox: cannot write %s\n", options.certOut.c_str());
    return 1;
  }

  std::vector<std::unique_ptr<httplib::Server>> servers;
  std::array<std::string, kServiceRoleCount> urls;
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    std::unique_ptr<httplib::Server> server;
    if (options.tls) {
      server = std::make_unique<httplib::SSLServer>(certificate.Certificate(), certificate.Key());
    } else {
      server = std::make_unique<httplib::Server>();
    }
    server->new_task_queue = [] { return new httplib::ThreadPool(4); };
    int port = options.portBase > 0 ? options.portBase + static_cast<int>(i) : 0;
    if (!server->is_valid()) {
      port = -1;
    } else if (options.portBase > 0) {
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
    urls[i] = (options.tls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(port);
    servers.push_back(std::move(server));
  }

  nuvo::sandbox::CSandboxService service(urls, options.charset, options.scenario);
  for (std::size_t i = 0; i < kServiceRoleCount; ++i) {
    const auto role = static_cast<ServiceRole>(i);
    httplib::Server& server = *servers[i];
    auto handler = [&service, role](const httplib::Request& request, httplib::Response& response) {
      service.Handle(role, request, response);
    };
    auto reading = [&service, role](const httplib::Request& request, httplib::Response& response,
                                    const httplib::ContentReader& reader) {
      httplib::Request whole;
      if (ReadWholeRequest(request, reader, whole)) {
        service.Handle(role, whole, response);
      } else {
        if (response.status < 400) response.status = 400;
        service.HandleRefused(role, whole, response);
      }
    };
    server.set_payload_max_length(kMaxBodyBytes);
    server.Get(".*", handler).Post(".*", reading).Put(".*", reading).Delete(".*", handler);
    server.set_error_handler(
        [&service, role](const httplib::Request& request, httplib::Response& response) {
          // Our own pages always have a body; an empty one is cpp-httplib refusing the request.
          if (response.body.empty() && response.status == 400) {
            service.HandleRefused(role, request, response);
          }
        });
  }
  for (auto& server : servers) std::thread([&server] { server->listen_after_bind(); }).detach();

  const std::string profile = nuvo::CServiceProfile::FromUrls("nuvo-sandbox", urls).ToJson();
  std::printf("%s\n", profile.c_str());
  std::fflush(stdout);
  if (!options.profileOut.empty() && !WriteWhole(options.profileOut, profile + "\n")) {
    std::fprintf(stderr, "nuvo-sandbox: cannot write %s\n", options.profileOut.c_str());
  }

  int received = 0;
  sigwait(&endSignals, &received);
  // Nothing is kept beyond the run, and a server thread caught between poll and accept may not
  // notice a stop, so the program ends at once and leaves the sockets to the system.
  std::fflush(stdout);
  std::_Exit(0);
}

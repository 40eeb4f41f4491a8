#pragma once

#include <httplib.h>

#include <string>
#include <thread>
#include <type_traits>
#include <utility>

// An HTTP (or, with httplib::SSLServer, HTTPS) server on 127.0.0.1 at a free port, running on its
// own thread while the test lasts. Register handlers on `server` before calling Start.
template <typename Server = httplib::Server>
class LocalServer {
 public:
  template <typename... Args>
  explicit LocalServer(Args&&... args) : server(std::forward<Args>(args)...) {}
  ~LocalServer() {
    server.stop();
    if (thread_.joinable()) thread_.join();
  }

  void Start() {
    port_ = server.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::yield();
  }

  std::string Url(const std::string& path) const {
    const char* scheme = std::is_same_v<Server, httplib::Server> ? "http" : "https";
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port_) + path;
  }

  Server server;

 private:
  int port_ = 0;
  std::thread thread_;
};

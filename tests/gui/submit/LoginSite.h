#pragma once

#include <QVariant>
#include <QWebEnginePage>
#include <atomic>
#include <string>

#include "../app/AppTestSupport.h"
#include "../net/LocalServer.h"

// A login service on 127.0.0.1 in the shapes the real one takes: the login form, the captcha
// form, the cushion page some logins pass through, the target page and a page that has nothing to
// do with the login. A sent form sets the session cookie "Y" and goes on to the target (or to the
// cushion first).
class LoginSite {
 public:
  LoginSite() {
    local.server.Get("/config/login", [this](const httplib::Request&, httplib::Response& res) {
      Page(res, captcha ? R"(<form name="captchaForm" method="post" action="/config/login">
<img src="/captcha.png"><input name="answer"></form>)"
                        : R"(<form name="login_form" method="post" action="/config/login">
<input name="login" id="login"><input type="password" name="passwd" id="passwd">
<input type="submit" id="send" value="ログイン"></form>
<a id="outside" href="/other/">ヘルプ</a>)");
    });
    local.server.Post("/config/login", [this](const httplib::Request& req, httplib::Response& res) {
      typedId = req.get_param_value("login");
      res.set_header("Set-Cookie", "Y=session-" + typedId + "; Path=/; Max-Age=3600");
      res.set_redirect(cushion ? "/logincushion/" : "/topic/notice/");
    });
    local.server.Get("/logincushion/", [](const httplib::Request&, httplib::Response& res) {
      Page(res, R"(<p>お知らせ</p><a id="next" href="/topic/notice/">次へ</a>)");
    });
    local.server.Get("/topic/notice/", [](const httplib::Request&, httplib::Response& res) {
      Page(res, "<p>notice</p>");
    });
    local.server.Get("/other/", [](const httplib::Request&, httplib::Response& res) {
      Page(res, "<p>other</p>");
    });
    local.server.Get("/whoami", [](const httplib::Request& req, httplib::Response& res) {
      res.set_content(req.get_header_value("Cookie"), "text/plain");
    });
    local.Start();
  }

  std::string Host() const { return local.Url("").substr(std::string("http://").size()); }
  std::string Url(const std::string& path) const { return local.Url(path); }

  LocalServer<> local;
  std::atomic<bool> captcha = false;
  std::atomic<bool> cushion = false;
  std::string typedId;

 private:
  static void Page(httplib::Response& res, const std::string& body) {
    res.set_content(
        "<html><head><title>Yahoo! JAPAN</title></head><body>" + body + "</body></html>",
        "text/html; charset=UTF-8");
  }
};

// Runs `script` in `page` and waits for its result.
inline QVariant RunScript(QWebEnginePage& page, const QString& script) {
  QVariant result;
  bool done = false;
  page.runJavaScript(script, [&](const QVariant& value) {
    result = value;
    done = true;
  });
  WaitUntil([&] { return done; });
  return result;
}

// Waits until `page` shows `path` and has finished loading it.
inline bool WaitForPage(QWebEnginePage& page, const QString& path, int timeoutMs = 10000) {
  return WaitUntil(
      [&] {
        return page.url().path() == path &&
               RunScript(page, QStringLiteral("document.readyState")).toString() ==
                   QStringLiteral("complete");
      },
      timeoutMs);
}

#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Encoding.h"
#include "core/net/HttpTransport.h"
#include "core/net/ServiceProfile.h"
#include "core/submit/SubmitHost.h"

// A stand-in for the auction service's sell pages, answered in process: each "METHOD path" has a
// handler that sees the request and returns the reply. The default handlers walk a seller through
// a normal or easy-trade listing with photos; a test replaces one route to make that step go
// wrong. Every request is recorded, and the posted forms and photos can be read back.
namespace submit_test {

struct Reply {
  Reply(unsigned status = 200, std::string body = {}, std::string location = {},
        nuvo::NetError error = {})
      : status(status),
        body(std::move(body)),
        location(std::move(location)),
        error(std::move(error)) {}

  unsigned status = 200;
  std::string body;  // UTF-8 in the handlers; sent as Shift_JIS
  std::string location;
  nuvo::NetError error;
  bool raw = false;  // the body is sent as it stands
};

struct Posted {
  std::string method;
  std::string url;
  std::string path;
  std::string contentType;
  std::string body;
  std::map<std::string, std::string> fields;  // a URL-encoded body, decoded (code page 932)
};

struct PostedFile {
  std::string field;
  std::string fileName;
  std::string contentType;
  std::string bytes;
};

inline const std::string kSell = "http://sell.test";
inline const std::string kLogin = "https://login.test";
inline const std::string kContact = "https://contact.test";
inline const std::string kUpdate = "http://update.test";

nuvo::CServiceProfile TestProfile(bool withUpdate = true);

class FakeSellService : public nuvo::IHttpTransport {
 public:
  using Handler = std::function<Reply(const Posted&)>;

  FakeSellService();

  std::unique_ptr<nuvo::IHttpExchange> Open(const nuvo::HttpRequest& request,
                                            const std::atomic<bool>& cancel,
                                            nuvo::NetError& error) override;

  // Replaces the handler of "GET /path" or "POST /path" (path without the query, on any host).
  void Route(const std::string& key, Handler handler) { routes_[key] = std::move(handler); }

  // The value of the update reply's search type; empty leaves it out.
  std::string findType = "find_by_div";
  // The sell form is the easy-trade one.
  bool easyTradeForm = false;
  std::string sellerId = "nuvo_seller";

  std::vector<Posted> requests;
  std::vector<PostedFile> files;       // every photo received, in order
  std::vector<int> uploadRequests;     // photos per upload request
  std::optional<Posted> sellFormPost;  // the filled sell form
  std::optional<Posted> finalPost;
  std::function<void(const Posted&)> onRequest;

  // The pages the default handlers answer with (UTF-8).
  std::string FirstPage() const;
  std::string SellPage() const;
  std::string ConfirmationPage(const Posted& sellForm) const;

  static std::map<std::string, std::string> DecodeForm(const std::string& body);

 private:
  std::map<std::string, Handler> routes_;
};

// A host that records everything the run tells it and answers from settings.
class RecordingHost : public nuvo::ISubmitHost {
 public:
  nuvo::PromptAnswer Ask(const nuvo::PromptRequest& request) override {
    prompts.push_back(request);
    return request.buttons == nuvo::PromptButtons::Ok ? nuvo::PromptAnswer::Ok
                                                      : nuvo::PromptAnswer::Cancel;
  }
  void SetStatus(const std::string& text) override {
    statuses.push_back(nuvo::Utf8FromCp932(text));
  }
  void SetCaption(const std::string& text) override {
    captions.push_back(nuvo::Utf8FromCp932(text));
  }
  void ShowSubmitMessage(const nuvo::SubmitMessage& message) override {
    messages.push_back(message);
  }
  nuvo::LoginResult LogIn(const nuvo::LoginRequest& request) override {
    logins.push_back(request);
    return login;
  }
  bool ConfirmListing(const nuvo::ConfirmationPage& page) override {
    confirmations.push_back(page);
    return confirm;
  }

  // Every message and prompt text shown, in UTF-8.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& prompt : prompts) texts.push_back(nuvo::Utf8FromCp932(prompt.text));
    for (const auto& message : messages) texts.push_back(nuvo::Utf8FromCp932(message.text));
    return texts;
  }

  std::vector<nuvo::PromptRequest> prompts;
  std::vector<std::string> statuses;
  std::vector<std::string> captions;
  std::vector<nuvo::SubmitMessage> messages;
  std::vector<nuvo::LoginRequest> logins;
  std::vector<nuvo::ConfirmationPage> confirmations;
  nuvo::LoginResult login;
  bool confirm = true;
};

}  // namespace submit_test

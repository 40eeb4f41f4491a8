#pragma once

#include <httplib.h>

#include <array>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/ServiceProfile.h"
#include "sandbox/CategoryPages.h"
#include "sandbox/SandboxPages.h"
#include "sandbox/Scenario.h"

// The auction service's side of the listing flow, played on 127.0.0.1: it answers the requests
// that reach any of the sandbox's ports, keeps the drafts, tokens, sessions and accepted
// listings, refuses and records every post that deviates from what its own pages asked for, and
// injects the faults of the current scenario. Owns all of that state behind one lock; the
// servers that call it are owned by the caller.
namespace nuvo::sandbox {

// The charset the pages are served in.
struct PageCharset {
  std::string icuName;  // for conversions: "windows-31j", "EUC-JP", "UTF-8"
  std::string label;    // in headers and meta elements: "Shift_JIS", "EUC-JP", "UTF-8"
};

class CSandboxService {
 public:
  // `start` is the scenario the sandbox plays from the start and returns to on a reset.
  CSandboxService(std::array<std::string, kServiceRoleCount> urls, PageCharset charset,
                  Scenario start = {});

  // Answers one request that reached the server of `role`.
  void Handle(ServiceRole role, const httplib::Request& request, httplib::Response& response);
  // Answers a request that cpp-httplib itself refused (a body it could not parse).
  void HandleRefused(ServiceRole role, const httplib::Request& request,
                     httplib::Response& response);

 private:
  struct Photo {
    int number = 0;
    std::string fileName;
    std::string contentType;
    std::string bytes;
    int width = 0;
    int height = 0;
  };
  struct Draft {
    std::string id;
    std::string crumb;
    int category = 0;
    std::array<std::optional<Photo>, 10> photos;
  };
  struct Confirmation {
    std::string draftId;
    Fields fields;  // as they were confirmed, UTF-8
    bool used = false;
  };
  struct Listing {
    std::string auctionId;
    std::string seller;
    Fields fields;  // UTF-8
    std::vector<Photo> photos;
  };
  struct Deviation {
    std::string step;
    std::string reason;
  };
  struct RequestRecord {
    std::string role;
    std::string method;
    std::string path;
    std::string query;
    std::string contentType;
    std::size_t bodyBytes = 0;
    std::string step;
    std::string fault;
    int status = 0;
  };
  struct Session {
    std::string login;
    bool reverified = false;
  };

  // What a step's handler hands back: a page (UTF-8) or a redirect.
  struct Reply {
    int status = 200;
    std::string page;
    std::string location;
    std::string contentType;  // raw bytes (images) instead of a page
    std::string cookie;

    static Reply Html(std::string page, int status = 200) {
      Reply reply;
      reply.status = status;
      reply.page = std::move(page);
      return reply;
    }
    static Reply Redirect(std::string location) {
      Reply reply;
      reply.status = 302;
      reply.location = std::move(location);
      return reply;
    }
  };

  void Control(const httplib::Request& request, httplib::Response& response);
  std::string StepOf(ServiceRole role, const httplib::Request& request) const;
  Reply Dispatch(const std::string& step, ServiceRole role, const httplib::Request& request);
  void Send(const Reply& reply, httplib::Response& response) const;
  // Applies a fault of the scenario; true when it replaced the page.
  bool ApplyFault(const Fault& fault, ServiceRole role, const httplib::Request& request,
                  httplib::Response& response);

  Reply Landing(const httplib::Request& request);
  Reply Classic(const httplib::Request& request);
  Reply SellSubmitPost(const httplib::Request& request, const std::string& step);
  Reply PhotoOpen(const httplib::Request& request);
  Reply PhotoUpload(const httplib::Request& request);
  Reply PhotoDone(const httplib::Request& request);
  Reply Preview(const httplib::Request& request);
  Reply Submit(const httplib::Request& request);
  Reply LoginPage(const httplib::Request& request, bool reverify);
  Reply LoginPost(const httplib::Request& request, bool reverify);
  Reply Image(const httplib::Request& request);

  // Refuses a request: records the deviation and answers the service's error page.
  Reply Refuse(const std::string& step, const std::string& reason);
  // The posted form of `request` decoded from the page charset to UTF-8, or a refusal.
  std::optional<Fields> PostedFields(const httplib::Request& request, const std::string& step,
                                     Reply& refusal);
  Session* SessionOf(const httplib::Request& request);
  Draft* DraftByCrumb(const std::string& crumb);
  Draft* DraftById(const std::string& id);
  std::vector<PhotoView> PhotoViews(const Draft& draft) const;
  std::string NewToken();
  std::string LoginUrl(bool reverify) const;
  std::string Encode(const std::string& utf8) const;
  std::string ListingsJson() const;
  std::string RequestsJson() const;
  void Reset();
  void UseScenario(Scenario scenario);

  CSandboxPages pages_;
  CCategoryPages categories_;
  PageCharset charset_;
  std::mutex mutex_;
  Scenario startScenario_;
  Scenario scenario_;
  std::map<std::string, int> stepCounts_;
  std::map<std::string, Draft> drafts_;  // by id
  std::map<std::string, Confirmation> confirmations_;
  std::map<std::string, Session> sessions_;
  std::vector<Listing> listings_;
  std::vector<Deviation> deviations_;
  std::vector<RequestRecord> requests_;
  std::uint64_t nextToken_ = 0;
  std::uint64_t nextAuction_ = 0;
  std::uint64_t tokenSalt_ = 0;
};

}  // namespace nuvo::sandbox

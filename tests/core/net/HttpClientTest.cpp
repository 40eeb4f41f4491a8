#include "core/net/HttpClient.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>

#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "core/net/UserAgent.h"
#include "support/ScriptedPrompt.h"

using namespace nuvo;

namespace {

// What the fake server answers for one address: a response or a network error.
struct FakeReply {
  unsigned status = 200;
  std::map<std::string, std::string> headers;
  std::string body;
  NetError error;  // code 0: the response above
};

class FakeExchange : public IHttpExchange {
 public:
  FakeExchange(FakeReply reply, std::function<void()> onRead)
      : reply_(std::move(reply)), onRead_(std::move(onRead)) {}
  unsigned StatusCode() const override { return reply_.status; }
  std::optional<std::string> Header(const std::string& name) const override {
    for (const auto& [key, value] : reply_.headers) {
      if (strcasecmp(key.c_str(), name.c_str()) == 0) return value;
    }
    return std::nullopt;
  }
  bool Read(std::string& out, std::size_t max, const std::atomic<bool>& cancel,
            NetError&) override {
    if (onRead_) onRead_();
    if (cancel || offset_ >= reply_.body.size()) return false;
    out.append(reply_.body, offset_, max);
    offset_ += max;
    return true;
  }

 private:
  FakeReply reply_;
  std::function<void()> onRead_;
  std::size_t offset_ = 0;
};

// Answers each address from its list of replies, taking them in turn and repeating the last
// (unknown addresses get 404), and records every request.
class FakeTransport : public IHttpTransport {
 public:
  std::unique_ptr<IHttpExchange> Open(const HttpRequest& request, const std::atomic<bool>&,
                                      NetError& error) override {
    requests.push_back(request);
    if (onOpen) onOpen();
    std::vector<FakeReply>& list = replies[request.url];
    FakeReply reply = list.empty() ? FakeReply{404, {}, {}, {}} : list.front();
    if (list.size() > 1) list.erase(list.begin());
    if (reply.error.code != 0) {
      error = reply.error;
      return nullptr;
    }
    return std::make_unique<FakeExchange>(reply, onRead);
  }

  std::map<std::string, std::vector<FakeReply>> replies;
  std::vector<HttpRequest> requests;
  std::function<void()> onOpen;
  std::function<void()> onRead;
};

const std::string kHost = "http://127.0.0.1:8080";

}  // namespace

TEST(HttpClient, FetchesAPageWithItsCharsetAndCrLfLineEnds) {
  FakeTransport transport;
  transport.replies[kHost + "/a/page.html"] = {{200,
                                                {{"content-type", "text/html; charset=EUC-JP"}},
                                                std::string(5000, 'x') + "a\nb\r\nc\n",
                                                {}}};
  ScriptedPrompt prompt;
  CHttpClient client(transport, &prompt);
  ASSERT_TRUE(client.Get(kHost + "/a/page.html#frag"));
  EXPECT_EQ(client.CurrentUrl(), kHost + "/a/page.html");
  EXPECT_EQ(client.StatusCode(), 200u);
  EXPECT_EQ(client.ResponseCharset(), Charset::kEucJp);
  EXPECT_EQ(client.ResponseText(), std::string(5000, 'x') + "a\r\nb\r\nc\r\n");
  ASSERT_EQ(transport.requests.size(), 1u);
  EXPECT_EQ(transport.requests[0].method, "GET");
  EXPECT_EQ(transport.requests[0].userAgent,
            BuildUserAgent(DefaultUserAgentKind(), "", QueryOsVersion()));

  // The next address is resolved against this one; a redirect without a target is an ordinary
  // answer.
  transport.replies[kHost + "/a/moved.html"] = {{302, {}, "stays", {}}};
  ASSERT_TRUE(client.Get("moved.html"));
  EXPECT_EQ(client.ResponseText(), "stays");
  EXPECT_EQ(client.ResponseCharset(), Charset::kNone);
  EXPECT_TRUE(prompt.requests.empty());
}

TEST(HttpClient, RefusesAddressesOtherThanHttpWithoutConnecting) {
  FakeTransport transport;
  ScriptedPrompt prompt;
  CHttpClient client(transport, &prompt);
  EXPECT_FALSE(client.Get("ftp://files.example/x", true));
  EXPECT_TRUE(transport.requests.empty());
  EXPECT_EQ(prompt.Ids(), std::vector<int>{IDS_NOT_HTTP_URL});
}

TEST(HttpClient, ServerErrorsAskToRetryWithoutTryingAgainByThemselves) {
  FakeTransport transport;
  ScriptedPrompt prompt({PromptAnswer::Retry, PromptAnswer::Cancel});
  CHttpClient client(transport, &prompt);
  EXPECT_FALSE(client.Get(kHost + "/missing", true));
  EXPECT_EQ(client.StatusCode(), 404u);
  EXPECT_EQ(transport.requests.size(), 2u);  // the first answer was Retry
  ASSERT_EQ(prompt.requests.size(), 2u);
  const PromptRequest& ask = prompt.requests[0];
  EXPECT_EQ(ask.messageId, IDS_SERVER_ERROR_DETAIL);
  EXPECT_EQ(ask.text,
            FormatMessageId(IDS_SERVER_ERROR_DETAIL, {Cp932("HTTPステータスコード：404")}));
  EXPECT_EQ(ask.buttons, PromptButtons::RetryCancel);
  EXPECT_EQ(ask.icon, PromptIcon::Exclamation);
  EXPECT_EQ(ask.defaultButton, 1);

  client.SetQuiet(true);
  EXPECT_FALSE(client.Get(kHost + "/missing"));
  EXPECT_EQ(prompt.requests.size(), 2u);
}

TEST(HttpClient, PassingNetworkFailuresAreTriedOnceMoreQuietlyThenAsked) {
  struct Sink : IHttpStatusSink {
    void OnAutomaticRetry() override { ++retries; }
    int retries = 0;
  } sink;
  FakeTransport transport;
  const FakeReply timeout{0, {}, {}, {kNetErrorTimeout, "timed out\r\n"}};
  transport.replies[kHost + "/slow"] = {timeout, timeout, {200, {}, "late", {}}};
  ScriptedPrompt prompt({PromptAnswer::Retry});
  CHttpClient client(transport, &prompt);
  client.SetStatusSink(&sink);
  EXPECT_TRUE(client.Get(kHost + "/slow", true));
  // The first time-out is retried quietly, the second asks, and Retry fetches the page.
  EXPECT_EQ(sink.retries, 1);
  EXPECT_EQ(transport.requests.size(), 3u);
  EXPECT_EQ(client.ResponseText(), "late");
  ASSERT_EQ(prompt.requests.size(), 1u);
  EXPECT_EQ(prompt.requests[0].messageId, IDS_CONNECT_FAILED_DETAIL);
  EXPECT_EQ(prompt.requests[0].text,
            FormatMessageId(IDS_CONNECT_FAILED_DETAIL,
                            {"timed out/" + FormatMessageId(IDS_ERROR_NUMBER, {12002})}));

  // A failure that will not pass by itself is put to the user at once.
  transport.requests.clear();
  transport.replies[kHost + "/refused"] = {{0, {}, {}, {kNetErrorCannotConnect, "refused"}}};
  EXPECT_FALSE(client.Get(kHost + "/refused", true));
  EXPECT_EQ(transport.requests.size(), 1u);
  EXPECT_EQ(client.LastNetError(), kNetErrorCannotConnect);
  EXPECT_EQ(sink.retries, 1);
}

TEST(HttpClient, CancelStopsQuietlyAndABusyClientRefusesASecondRequest) {
  FakeTransport transport;
  transport.replies[kHost + "/big"] = {{200, {}, std::string(20000, 'b'), {}}};
  ScriptedPrompt prompt;
  CHttpClient client(transport, &prompt);
  int reads = 0;
  transport.onRead = [&] {
    if (++reads == 2) client.Cancel();
  };
  EXPECT_FALSE(client.Get(kHost + "/big", true));
  EXPECT_TRUE(client.IsCancelled());
  EXPECT_EQ(reads, 2);
  EXPECT_EQ(transport.requests.size(), 1u);
  EXPECT_TRUE(client.ResponseText().empty());

  // A request started while another waits (from a window message) is refused; the running
  // one goes on.
  transport.onRead = nullptr;
  bool inner = true;
  bool nested = false;
  transport.onOpen = [&] {
    if (!std::exchange(nested, true)) inner = client.Get(kHost + "/big");
  };
  EXPECT_TRUE(client.Get(kHost + "/big"));
  EXPECT_FALSE(inner);
  EXPECT_EQ(client.ResponseText().size(), 20000u);
  EXPECT_TRUE(prompt.requests.empty());
}

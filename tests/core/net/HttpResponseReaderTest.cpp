#include "core/net/HttpResponseReader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace nuvo;

namespace {

struct Outcome {
  bool fed = true;
  bool hasHead = false;
  bool done = false;
  std::string body;
};

// Feeds `response` in pieces that end at `cuts`, then, if `closed`, ends the connection.
Outcome Read(const std::string& response, const std::vector<std::size_t>& cuts, bool closed,
             CHttpResponseReader& reader) {
  Outcome outcome;
  std::size_t from = 0;
  for (std::size_t cut : cuts) {
    outcome.fed = reader.Feed(std::string_view(response).substr(from, cut - from), outcome.body) &&
                  outcome.fed;
    from = cut;
  }
  outcome.fed = reader.Feed(std::string_view(response).substr(from), outcome.body) && outcome.fed;
  outcome.hasHead = reader.HasHead();
  outcome.done = closed ? reader.End() : reader.Done();
  return outcome;
}

std::vector<std::size_t> RandomCuts(std::size_t size, std::mt19937& random) {
  std::vector<std::size_t> cuts;
  std::uniform_int_distribution<std::size_t> step(1, 9);
  for (std::size_t at = step(random); at < size; at += step(random)) cuts.push_back(at);
  return cuts;
}

}  // namespace

// Every way of framing a body gives the same bytes however the connection splits them: in one
// piece, byte by byte, and at random places (a CR LF torn in two among them).
TEST(HttpResponseReader, FramesEveryKindOfBodyHoweverTheBytesArrive) {
  const std::string body = "<html>\r\n日本語\r\n</html>";
  const struct {
    const char* name;
    std::string response;
    bool closed;  // the server closes the connection after it
    bool keeps;
  } cases[] = {
      {"length",
       "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body,
       false, true},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
       "6;name=value\r\n<html>\r\n" +
           [&] {
             char size[16];
             std::snprintf(size, sizeof size, "%zX", body.size() - 6);
             return std::string(size);
           }() +
           "\r\n" + body.substr(6) + "\r\n0\r\nExpires: never\r\n\r\n",
       false, true},
      {"to the end", "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n" + body, true, false},
      {"after 100 Continue",
       "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\n\r\n" + body,
       false, true},
      {"bare line feeds",
       "HTTP/1.0 200 OK\nConnection: keep-alive\nContent-Length: " + std::to_string(body.size()) +
           "\n\n" + body,
       false, true},
  };
  std::mt19937 random(7);
  for (const auto& c : cases) {
    std::vector<std::vector<std::size_t>> splits{
        {}, {}, RandomCuts(c.response.size(), random), RandomCuts(c.response.size(), random)};
    for (std::size_t i = 1; i < c.response.size(); ++i) splits[1].push_back(i);
    for (const auto& cuts : splits) {
      CHttpResponseReader reader;
      const Outcome outcome = Read(c.response, cuts, c.closed, reader);
      EXPECT_TRUE(outcome.fed) << c.name;
      EXPECT_TRUE(outcome.done) << c.name;
      EXPECT_EQ(outcome.body, body) << c.name << " in " << cuts.size() + 1 << " pieces";
      EXPECT_EQ(reader.Status(), 200u) << c.name;
      EXPECT_EQ(reader.KeepsConnection(), c.keeps) << c.name;
    }
  }
}

TEST(HttpResponseReader, KnowsWhenThereIsNoBodyAndWhenTheConnectionEnds) {
  const struct {
    const char* name;
    std::string response;
    bool toHead;
    bool keeps;
  } cases[] = {
      {"no content", "HTTP/1.1 204 No Content\r\nContent-Length: 10\r\n\r\n", false, true},
      {"not modified", "HTTP/1.1 304 Not Modified\r\n\r\n", false, true},
      {"HEAD", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n", true, true},
      {"empty", "HTTP/1.1 302 Found\r\nLocation: /a\r\nContent-Length: 0\r\n\r\n", false, true},
      {"close", "HTTP/1.1 200 OK\r\nConnection: Close\r\nContent-Length: 0\r\n\r\n", false, false},
      {"HTTP/1.0", "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", false, false},
      {"more than asked", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nab", false, false},
  };
  for (const auto& c : cases) {
    CHttpResponseReader reader(c.toHead);
    std::string body;
    EXPECT_TRUE(reader.Feed(c.response, body)) << c.name;
    EXPECT_TRUE(reader.Done()) << c.name;
    EXPECT_EQ(reader.KeepsConnection(), c.keeps) << c.name;
  }
}

TEST(HttpResponseReader, ABodyCutShortOrBytesThatAreNoResponseFail) {
  for (const std::string& cut :
       std::vector<std::string>{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc",
                                "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
                                "HTTP/1.1 200 OK\r\nContent-Le", ""}) {
    CHttpResponseReader reader;
    std::string body;
    EXPECT_TRUE(reader.Feed(cut, body)) << cut;
    EXPECT_FALSE(reader.End()) << cut;
  }
  for (const std::string& broken : std::vector<std::string>{
           "<html>hello</html>\r\n\r\n", "HTTP/1.1 OK\r\n\r\n",
           "HTTP/1.1 200 OK\r\nno colon\r\n\r\n", "HTTP/1.1 200 OK\r\nContent-Length: ten\r\n\r\n",
           "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
           "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nab\r\n",
           "HTTP/1.1 200 OK\r\nX: " + std::string(70000, 'x')}) {
    CHttpResponseReader reader;
    std::string body;
    EXPECT_FALSE(reader.Feed(broken, body)) << broken.substr(0, 40);
    EXPECT_FALSE(reader.Feed("more", body));
    EXPECT_FALSE(reader.Done());
  }
}

TEST(HttpResponseReader, JoinsHeadersOfOneNameAndKeepsCookiesApart) {
  CHttpResponseReader reader;
  std::string body;
  ASSERT_TRUE(
      reader.Feed("HTTP/1.1 302 Found\r\nset-cookie: a=1; Path=/\r\nLocation:  /next \r\n"
                  "Set-Cookie: b=2\r\nVary: Cookie\r\nVARY: Accept\r\nContent-Length: 0\r\n\r\n",
                  body));
  EXPECT_EQ(reader.Status(), 302u);
  EXPECT_EQ(reader.Header("Location"), "/next");
  EXPECT_EQ(reader.Header("SET-COOKIE"), "a=1; Path=/\nb=2");
  EXPECT_EQ(reader.Header("vary"), "Cookie, Accept");
  EXPECT_EQ(reader.Header("Refresh"), std::nullopt);
}

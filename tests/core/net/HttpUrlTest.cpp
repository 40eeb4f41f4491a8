#include "core/net/HttpUrl.h"

#include <gtest/gtest.h>

using namespace nuvo;

TEST(HttpUrl, ResolvesEachKindOfAddressAgainstTheCurrentOne) {
  const std::string current = "https://auctions.example.jp/sell/form/page.html?x=1#top";
  // Absolute addresses stand as they are, without their fragment.
  EXPECT_EQ(ResolveUrl(current, "http://other.example/a?b=c#f"), "http://other.example/a?b=c");
  EXPECT_EQ(ResolveUrl("", "next.html#f"), "next.html");
  // A "://" inside the query does not make an address absolute.
  EXPECT_EQ(ResolveUrl(current, "go?to=http://x/"),
            "https://auctions.example.jp/sell/form/go?to=http://x/");
  // Scheme-relative addresses take the current scheme.
  EXPECT_EQ(ResolveUrl(current, "//img.example.jp/p.jpg?s=1"), "https://img.example.jp/p.jpg?s=1");
  EXPECT_EQ(ResolveUrl("ftp://h/x", "//img.example.jp/p"), "http://img.example.jp/p");
  EXPECT_EQ(ResolveUrl(current, "//"), "https://auctions.example.jp/");
  // Host-relative addresses keep the current host and port.
  EXPECT_EQ(ResolveUrl("http://127.0.0.1:8080/a/b", "/c?d=e"), "http://127.0.0.1:8080/c?d=e");
  EXPECT_EQ(ResolveUrl("not an address", "/c"), "/c");
  // Folder-relative addresses replace the last path component; "./" is dropped.
  EXPECT_EQ(ResolveUrl(current, "confirm.html?y=2"),
            "https://auctions.example.jp/sell/form/confirm.html?y=2");
  EXPECT_EQ(ResolveUrl(current, "./confirm.html"),
            "https://auctions.example.jp/sell/form/confirm.html");
  EXPECT_EQ(ResolveUrl(current, "?page=2"), "https://auctions.example.jp/sell/form/?page=2");
  EXPECT_EQ(ResolveUrl("http://host", "a.html"), "http://host/a.html");
  EXPECT_EQ(ResolveUrl("http://host?q=/x", "a.html"), "http://host/a.html");
}

TEST(HttpUrl, AcceptsOnlyHttpAndHttpsWithAHost) {
  EXPECT_TRUE(IsHttpUrl("http://a"));
  EXPECT_TRUE(IsHttpUrl("HTTPS://a.example/x"));
  EXPECT_FALSE(IsHttpUrl("ftp://a.example/x"));
  EXPECT_FALSE(IsHttpUrl("http:///path"));
  EXPECT_FALSE(IsHttpUrl("/relative"));
  EXPECT_TRUE(IsSecureUrl("Https://a"));
  EXPECT_FALSE(IsSecureUrl("http://a"));
}

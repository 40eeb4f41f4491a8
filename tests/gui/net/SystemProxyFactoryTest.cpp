#include "gui/net/SystemProxyFactory.h"

#include <gtest/gtest.h>

#include <QUrl>

using namespace nuvo;

namespace {

// A system whose proxy answer is counted and can be switched between requests.
struct CountingSystem {
  QList<QNetworkProxy> operator()(const QNetworkProxyQuery&) {
    ++*lookups;
    return {*answer};
  }
  std::shared_ptr<int> lookups = std::make_shared<int>(0);
  std::shared_ptr<QNetworkProxy> answer =
      std::make_shared<QNetworkProxy>(QNetworkProxy::HttpProxy, QStringLiteral("proxy.lan"), 8080);
};

QNetworkProxyQuery Query(const char* url) {
  return QNetworkProxyQuery(QUrl(QString::fromLatin1(url)));
}

TEST(SystemProxyFactoryTest, AsksTheSystemOncePerHostWhileTheAnswerIsFresh) {
  CountingSystem system;
  CSystemProxyFactory factory(system);

  const QList<QNetworkProxy> first = factory.queryProxy(Query("https://auctions.example/sell/a"));
  ASSERT_EQ(first.size(), 1);
  EXPECT_EQ(first[0].hostName(), QStringLiteral("proxy.lan"));
  EXPECT_EQ(first[0].port(), 8080);
  // Another page of the same host, while the seller's proxy changes: the kept answer stands.
  *system.answer = QNetworkProxy(QNetworkProxy::NoProxy);
  EXPECT_EQ(factory.queryProxy(Query("https://auctions.example/sell/b?x=1")), first);
  EXPECT_EQ(*system.lookups, 1);

  // Another host, another scheme or another port is a question of its own.
  factory.queryProxy(Query("https://images.example/up"));
  factory.queryProxy(Query("http://auctions.example/sell/a"));
  factory.queryProxy(Query("https://auctions.example:8443/sell/a"));
  EXPECT_EQ(*system.lookups, 4);
}

TEST(SystemProxyFactoryTest, AStaleAnswerIsAskedForAgain) {
  CountingSystem system;
  CSystemProxyFactory factory(system, std::chrono::milliseconds(0));

  factory.queryProxy(Query("https://auctions.example/"));
  *system.answer = QNetworkProxy(QNetworkProxy::NoProxy);
  const QList<QNetworkProxy> second = factory.queryProxy(Query("https://auctions.example/"));
  ASSERT_EQ(second.size(), 1);
  EXPECT_EQ(second[0].type(), QNetworkProxy::NoProxy);
  EXPECT_EQ(*system.lookups, 2);
}

}  // namespace

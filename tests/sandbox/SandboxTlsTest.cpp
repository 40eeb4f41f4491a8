#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "SandboxTestSupport.h"
#include "support/TempDir.h"

using namespace sandbox_test;
using nuvo::ServiceRole;

// Over TLS the sandbox answers only a client that trusts the certificate it made at start: the
// one it wrote out, and no other (a second sandbox makes a new one).
TEST(SandboxTls, PagesComeOnlyToAClientThatTrustsThisSandboxsCertificate) {
  TempDir dir;
  const std::string certificate = (dir.path() / "sandbox.pem").string();
  SandboxProcess sandbox({"--tls", "--cert-out", certificate});
  const std::string sell = sandbox.Url(ServiceRole::Sell);
  ASSERT_TRUE(sell.starts_with("https://127.0.0.1:")) << sell;
  std::ifstream pem(certificate);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(pem), {})
                  .starts_with("-----BEGIN CERTIFICATE-----\n"));

  httplib::Client untrusting(sell);
  auto refused = untrusting.Get("/sell/jp/show/submit?category=0");
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.error(), httplib::Error::SSLServerVerification);

  httplib::Client trusting(sell);
  trusting.set_ca_cert_path(certificate.c_str());
  auto landing = trusting.Get("/sell/jp/show/submit?category=0");
  ASSERT_TRUE(landing) << httplib::to_string(landing.error());
  EXPECT_EQ(landing->status, 200);
  EXPECT_NE(landing->body.find("href=\"" + sell + "/sell/jp/show/submit?category=0&amp;select=old"),
            std::string::npos);

  const std::string other = (dir.path() / "other.pem").string();
  SandboxProcess second({"--tls", "--cert-out", other});
  httplib::Client mistaken(second.Url(ServiceRole::Sell));
  mistaken.set_ca_cert_path(certificate.c_str());
  EXPECT_FALSE(mistaken.Get("/sell/jp/show/submit?category=0"));
}

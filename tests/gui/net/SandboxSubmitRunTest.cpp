#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QTemporaryDir>

#include "core/common/Encoding.h"
#include "core/submit/SubmitRun.h"
#include "gui/net/NetworkSession.h"
#include "gui/net/QtHttpTransport.h"
#include "support/ImageBytes.h"
#include "support/SandboxProcess.h"

using namespace nuvo;

namespace {

// A whole JPEG that the sandbox's image check takes; `number` makes each photo's bytes its own.
SubmitPhoto Photo(int number) {
  ImageBytes bytes{0xFF, 0xD8};
  AppendJpegSegment(bytes, 0xC0, JpegFramePayload(320, 240));
  AppendJpegSegment(bytes, 0xDA, {3, 1, 0, 2, 0x11, 3, 0x11, 0, 63, 0});
  for (int i = 0; i < 20000; ++i)
    bytes.push_back(static_cast<std::uint8_t>((i * 7 + number) % 251));
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  return {"photo" + std::to_string(number) + ".jpg", std::move(bytes)};
}

std::string Sha256(const SubmitPhoto& photo) {
  return QCryptographicHash::hash(QByteArray(reinterpret_cast<const char*>(photo.bytes.data()),
                                             static_cast<qsizetype>(photo.bytes.size())),
                                  QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

// Any message the run shows fails the test with its text.
class CQuietHost : public ISubmitHost {
 public:
  PromptAnswer Ask(const PromptRequest& request) override {
    ADD_FAILURE() << Utf8FromCp932(request.text);
    return PromptAnswer::Cancel;
  }
  void SetStatus(const std::string&) override {}
  void SetCaption(const std::string&) override {}
  void ShowSubmitMessage(const SubmitMessage& message) override {
    ADD_FAILURE() << Utf8FromCp932(message.text);
  }
};

}  // namespace

// The whole run over Qt's network against nuvo-sandbox: what the sandbox took in is the listing,
// photo for photo, in either listing mode and either way of sending the photos.
TEST(SandboxSubmitRun, WhatArrivesIsTheListingWithEveryPhotoByteForByte) {
  struct Case {
    bool easyTrade;
    int photos;
    bool together;
  };
  const Case cases[] = {{false, 0, true}, {true, 0, true},   {false, 1, false},
                        {true, 1, true},  {false, 10, true}, {true, 10, false}};
  SandboxProcess sandbox;
  QTemporaryDir jarDir;
  CNetworkSession network(jarDir.filePath(QStringLiteral("cookies.txt")));
  CQtHttpTransport transport(network);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.photos << " photos, easy trade " << c.easyTrade
                                    << ", together " << c.together);
    sandbox.Reset();
    if (c.easyTrade) sandbox.SetScenario(R"({"form": "easy"})");
    CSubmitSettings settings;
    settings.showFinalConfirmation = false;
    settings.showCompletionMessage = false;
    settings.uploadPhotosTogether = c.together;
    SubmitListing listing;
    listing.fields.Set(kFieldTitle, Cp932("青いコップ <大> & 皿"));
    listing.fields.Set(kFieldDescription, Cp932("<p>説明 \"引用\" 100%</p>\r\n二行目"));
    listing.fields.SetInt(kFieldStartPrice, 1200);
    listing.fields.SetInt(kFieldBidOrBuyPrice, 5000);
    listing.fields.SetInt(kFieldQuantity, 1);
    listing.fields.SetInt(kFieldCategory, 2084005);
    listing.fields.Merge(settings.fields);
    listing.category = 2084005;
    for (int i = 1; i <= c.photos; ++i) listing.photos.push_back(Photo(i));
    const std::vector<SubmitPhoto> photos = listing.photos;

    CQuietHost host;
    SubmitRunOptions options;
    options.easyTrade = c.easyTrade;
    CSubmitRun run(transport, host, sandbox.Profile(), settings, std::move(listing), options);
    ASSERT_EQ(run.Run(), SubmitOutcome::Completed);
    EXPECT_FALSE(run.AuctionId().empty());

    const std::string listings = sandbox.Listings();
    EXPECT_NE(listings.find(R"("title": "青いコップ <大> & 皿")"), std::string::npos) << listings;
    EXPECT_NE(listings.find(R"("description": "<p>説明 \"引用\" 100%</p>\u000d\u000a二行目")"),
              std::string::npos)
        << listings;
    EXPECT_NE(listings.find(R"("StartPrice": "1200")"), std::string::npos);
    EXPECT_NE(listings.find(R"("BidOrBuyPrice": "5000")"), std::string::npos);
    EXPECT_EQ(listings.find(R"("deviations": [{)"), std::string::npos) << listings;
    for (const SubmitPhoto& photo : photos)
      EXPECT_NE(listings.find("\"sha256\": \"" + Sha256(photo) + "\""), std::string::npos)
          << photo.name;
    std::size_t count = 0;
    for (std::size_t at = listings.find("\"sha256\""); at != std::string::npos;
         at = listings.find("\"sha256\"", at + 1))
      ++count;
    EXPECT_EQ(count, photos.size());
  }
}

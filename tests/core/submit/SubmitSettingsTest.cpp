#include "core/submit/SubmitSettings.h"

#include <gtest/gtest.h>

using namespace nuvo;

TEST(SubmitSettings, FirstStartSendsTheCommonDefaults) {
  const CSubmitSettings settings;
  EXPECT_EQ(settings.fields.Get(kFieldDuration), "5");
  EXPECT_EQ(settings.fields.Get(kFieldClosingTime), "21");
  EXPECT_EQ(settings.fields.Get(kFieldNumResubmit), "3");
  EXPECT_EQ(settings.fields.Get(kFieldCloseEarly), "yes");
  EXPECT_EQ(settings.fields.Get(kFieldAutoExtension), "yes");
  EXPECT_TRUE(settings.fields.IsEmpty(kFieldMarkdown));
  EXPECT_EQ(settings.fields.Get(kFieldLocationCode), "13");
  // Fields that the listing itself fills stay to the listing.
  EXPECT_FALSE(settings.fields.IsSet(kFieldTitle));
  EXPECT_FALSE(settings.fields.IsSet(kFieldTos));
}

TEST(SubmitSettings, OptionsFollowTheApplicationOptions) {
  CAppOptions options;
  CSubmitSettings settings;
  settings.LoadOptions(options);
  EXPECT_TRUE(settings.uploadPhotosTogether);
  EXPECT_TRUE(settings.showFinalConfirmation);
  EXPECT_TRUE(settings.showCompletionMessage);

  options.optionValue &= ~(kOptionUploadPhotosTogether | kOptionShowFinalConfirmation);
  options.upaaoDataSizeLimit = 3;
  settings.LoadOptions(options);
  EXPECT_FALSE(settings.uploadPhotosTogether);
  EXPECT_FALSE(settings.showFinalConfirmation);
  EXPECT_EQ(settings.uploadSizeLimit, CSubmitSettings::kUploadSizeLimits[3]);
  options.upaaoDataSizeLimit = 9;
  settings.LoadOptions(options);
  EXPECT_EQ(settings.uploadSizeLimit, CSubmitSettings::kUploadSizeLimits[1]);
}

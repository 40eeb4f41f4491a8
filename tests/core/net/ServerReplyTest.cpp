#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/common/StringTable.h"
#include "core/net/ServerReply.h"
#include "support/ScriptedPrompt.h"

namespace nuvo {
namespace {

TEST(VersionParametersTest, WritesTheVersionWordsInHexadecimal) {
  std::string query;
  AppendVersionParameters(query, true, std::array<unsigned, 4>{3, 0, 9, 0});
  EXPECT_EQ(query, "ver_ms=00030000&ver_ls=00090000");
  query = "a=1";
  AppendVersionParameters(query, false, std::array<unsigned, 4>{1, 10, 0xABCD, 0x12345});
  EXPECT_EQ(query, "a=1&ver_ms=0001000a&ver_ls=abcd2345");
}

TEST(ServerReplyTest, ReadsFieldsAndExtraValuesFromComments) {
  CServerReply reply;
  ASSERT_TRUE(reply.Parse(
      "<html><!--reply=ok--><!--msg=one<br>two--> <!--=x--><!--empty=--><!--no value-->"
      "<!--submit_select_old_find_type=find_by_div--><!--fixed_url=http://h/p?a=1&b=2-->"
      "<!--Reply=ng--><!--unclosed=1"));
  EXPECT_TRUE(reply.IsAccepted());
  EXPECT_FALSE(reply.IsOutdated());
  std::string text = "unchanged";
  EXPECT_TRUE(reply.GetField(CServerReply::kMessage, text));
  EXPECT_EQ(text, "one\r\ntwo");
  EXPECT_TRUE(reply.GetField(CServerReply::kFixedUrl, text));
  EXPECT_EQ(text, "http://h/p?a=1&b=2");
  EXPECT_FALSE(reply.HasField(CServerReply::kAlert));
  EXPECT_FALSE(reply.HasField(5));
  text = "unchanged";
  EXPECT_FALSE(reply.GetField(-1, text));
  EXPECT_FALSE(reply.GetValue("empty", text));
  EXPECT_FALSE(reply.GetValue("unclosed", text));
  EXPECT_EQ(text, "unchanged");
  ASSERT_TRUE(reply.GetValue("Reply", text));  // names are matched exactly
  EXPECT_EQ(text, "ng");
  ASSERT_TRUE(reply.GetValue("submit_select_old_find_type", text));
  EXPECT_EQ(text, "find_by_div");

  // A new reply forgets the old one.
  EXPECT_FALSE(reply.Parse("<p>no comments</p>"));
  EXPECT_FALSE(reply.HasField(CServerReply::kMessage));
  EXPECT_FALSE(reply.GetValue("Reply", text));
  EXPECT_FALSE(reply.IsAccepted());
}

TEST(ServerReplyTest, HandlesTheFirstThingTheReplyAsksFor) {
  const std::string title = Cp932("ぬぼ");
  struct Case {
    const char* reply;
    PromptIcon icon;  // Information: no box is expected
    std::string shown;
    std::string notice;
  };
  const Case cases[] = {
      {"<!--reply=ok_ver_up--><!--alert=stop<br>now--><!--attention=a--><!--msg=m-->",
       PromptIcon::Error, "stop\r\nnow", ""},
      {"<!--reply=ok--><!--attention=look--><!--msg=m-->", PromptIcon::Default, "look", ""},
      {"<!--reply=ok_ver_up--><!--msg=a<br>b-->", PromptIcon::Information, "", "a\r\nb"},
      {"<!--reply=ok_ver_up-->", PromptIcon::Information, "",
       FormatMessageId(IDS_OUTDATED_VERSION, {title})},
      {"<!--reply=ok-->", PromptIcon::Information, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reply);
    CServerReply reply;
    reply.Parse(c.reply);
    ScriptedPrompt prompt;
    std::string notice;
    bool shown = HandleServerReply(reply, prompt, title, notice);
    EXPECT_EQ(shown, c.icon != PromptIcon::Information);
    ASSERT_EQ(prompt.requests.size(), shown ? 1u : 0u);
    if (shown) {
      EXPECT_EQ(prompt.requests[0].text, c.shown);
      EXPECT_EQ(prompt.requests[0].icon, c.icon);
    }
    EXPECT_EQ(notice, c.notice);
  }
  EXPECT_NE(FormatMessageId(IDS_OUTDATED_VERSION, {title}).find(title), std::string::npos);
}

TEST(ServerReplyTest, StatusNoticeIsTakenOnce) {
  std::string pending = "x";
  EXPECT_EQ(TakeStatusNotice(pending), Cp932("ザブトソフトからのお知らせ：x"));
  EXPECT_EQ(pending, "");
  EXPECT_EQ(TakeStatusNotice(pending), "");
}

}  // namespace
}  // namespace nuvo

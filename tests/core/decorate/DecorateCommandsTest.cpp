#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../../support/ScriptedPrompt.h"
#include "DecorateTestSupport.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/decorate/DecorateCommands.h"

using namespace nuvo;

namespace {

class FixedDialogs : public IDecorateDialogs {
 public:
  std::optional<int> ChooseColor(int initial) override {
    shownColor = initial;
    return color;
  }
  std::optional<std::string> ChooseLink(const std::string& initial) override {
    shownLink = initial;
    return link;
  }

  std::optional<int> color;
  std::optional<std::string> link;
  int shownColor = -2;
  std::string shownLink;
};

class DecorateCommandsTest : public testing::Test {
 protected:
  DecorateCommandsTest()
      : editor(kDecoMultiLine | kDecoAllowCentre), commands(editor, dialogs, prompt) {}

  int LevelAt(int pos) {
    const int size = editor.Doc().GetSizeAt(pos);
    return size < 0 ? 3 : editor.Doc().SizeToLevel(size);
  }

  CDecorateEditor editor;
  FixedDialogs dialogs;
  ScriptedPrompt prompt;
  CDecorateCommands commands;
};

}  // namespace

TEST_F(DecorateCommandsTest, BoldTogglesOverAWholeLineWithItsLineBreak) {
  editor.SetHtml("one<br>two");
  editor.SetSelection(0, 4);
  commands.Run(ID_DECO_BOLD);
  EXPECT_EQ(editor.GetHtml(), "<b>one<br></b>two");
  EXPECT_TRUE(commands.IsChecked(ID_DECO_BOLD));
  commands.Run(ID_DECO_BOLD);
  EXPECT_EQ(editor.GetHtml(), "one<br>two");
  EXPECT_FALSE(commands.IsChecked(ID_DECO_BOLD));
  // A selection that stops before a line break takes the break with it.
  editor.SetSelection(0, 3);
  commands.Run(ID_DECO_UNDERLINE);
  EXPECT_EQ(editor.GetHtml(), "<u>one<br></u>two");
}

TEST_F(DecorateCommandsTest, WithoutASelectionTheCommandsSetTheStyleOfTheNextTypedText) {
  editor.SetHtml("<b>ab</b>");
  editor.MoveCaret(2, false);
  EXPECT_TRUE(commands.IsChecked(ID_DECO_BOLD));
  commands.Run(ID_DECO_BOLD);
  commands.Run(ID_DECO_SIZE_1 + 5);
  EXPECT_FALSE(commands.IsChecked(ID_DECO_BOLD));
  EXPECT_TRUE(commands.IsChecked(ID_DECO_SIZE_1 + 5));
  editor.TypeText("c");
  EXPECT_EQ(editor.GetHtml(), "<b>ab</b><font size=6>c</font>");
}

TEST_F(DecorateCommandsTest, SizesStepFromTheSmallestOrLargestAndTheStandardLevelIsNoSize) {
  editor.SetHtml("<font size=2>ab</font><font size=4>cd</font>");
  editor.SelectAll();
  EXPECT_FALSE(commands.IsChecked(ID_DECO_SIZE_1 + 1));
  commands.Run(ID_DECO_GROW);
  EXPECT_EQ(editor.GetHtml(), "abcd");
  EXPECT_TRUE(commands.IsChecked(ID_DECO_SIZE_1 + 2));

  commands.Run(ID_DECO_SIZE_1 + 6);
  EXPECT_FALSE(commands.CanGrowSize());
  EXPECT_FALSE(commands.IsEnabled(ID_DECO_GROW));
  commands.Run(ID_DECO_GROW);
  EXPECT_EQ(LevelAt(0), 7);
  commands.Run(ID_DECO_SHRINK);
  EXPECT_EQ(editor.GetHtml(), "<font size=6>abcd</font>");
  commands.Run(ID_DECO_SIZE_1 + 2);
  EXPECT_EQ(editor.GetHtml(), "abcd");

  editor.SetSelection(1, 2);
  commands.Run(ID_DECO_SIZE_1);
  editor.SelectAll();
  EXPECT_TRUE(commands.CanShrinkSize());
  commands.Run(ID_DECO_SHRINK);  // from the largest, 3, down to 2 over everything
  for (int pos = 0; pos < 4; ++pos) EXPECT_EQ(LevelAt(pos), 2) << pos;
}

TEST_F(DecorateCommandsTest, ClearingKeepsCentringAndDialogsStartFromTheRange) {
  editor.SetHtml("<center><font color=red><b>title</b></font><br></center>body");
  editor.SetSelection(0, 4);
  commands.Run(ID_DECO_COLOR);  // cancelled: nothing changes
  EXPECT_EQ(dialogs.shownColor, 0x0000FF);
  editor.SetSelection(0, 5);  // and the line break behind
  commands.Run(ID_DECO_COLOR);
  EXPECT_EQ(dialogs.shownColor, -1);
  commands.Run(ID_DECO_CLEAR);
  EXPECT_EQ(editor.GetHtml(), "<center>title<br></center>body");
  EXPECT_TRUE(commands.IsChecked(ID_DECO_CENTRE));

  dialogs.color = IDecorateDialogs::kStandardColor;
  editor.SetHtml("<font color=blue>x</font>");
  editor.SelectAll();
  commands.Run(ID_DECO_COLOR);
  EXPECT_EQ(editor.GetHtml(), "x");

  editor.SetHtml("see http://a.jp/x now");
  editor.SetSelection(4, 17);
  dialogs.link = "";
  commands.Run(ID_DECO_LINK);
  EXPECT_EQ(dialogs.shownLink, "http://a.jp/x");
  dialogs.link = "http://b.jp/";
  commands.Run(ID_DECO_LINK);
  EXPECT_EQ(editor.GetHtml(), "see&nbsp;<a href=http://b.jp/>http://a.jp/x</a>&nbsp;now");
  commands.Run(ID_DECO_LINK);
  EXPECT_EQ(dialogs.shownLink, "http://b.jp/");
}

TEST_F(DecorateCommandsTest, CentringWorksOnWholeLinesAndOnlyWhereAllowed) {
  editor.SetHtml("one<br>two<br>three");
  editor.SetSelection(5, 9);  // from inside "two" into "three"
  commands.Run(ID_DECO_CENTRE);
  EXPECT_EQ(editor.GetHtml(), "one<br><center>two<br>three</center>");
  commands.Run(ID_DECO_CENTRE);
  EXPECT_EQ(editor.GetHtml(), "one<br>two<br>three");

  CDecorateEditor plain;
  CDecorateCommands plainCommands(plain, dialogs, prompt);
  plain.SetHtml("x");
  EXPECT_FALSE(plainCommands.IsEnabled(ID_DECO_CENTRE));
  plainCommands.Run(ID_DECO_CENTRE);
  EXPECT_EQ(plain.GetHtml(), "x");
}

TEST_F(DecorateCommandsTest, DetectionProposesEachUnlinkedAddressAndLinksTheAcceptedOnes) {
  // 連 ends in the byte of "A", which must not join the mail address.
  const std::string text = "site http://a.jp/q?x=1&y=2 here " + Cp932("絡連") +
                           "me.sama@mail.jp, <a> https://linked.jp/";
  editor.SetHtml("");
  editor.PastePlain(text);
  const int linked = static_cast<int>(text.rfind("https"));
  editor.ApplyDecoration(DECO_LINK, linked, static_cast<int>(text.size()),
                         {0, "https://linked.jp/"});
  prompt.Queue(PromptAnswer::Yes);
  prompt.Queue(PromptAnswer::Yes);
  editor.MoveCaret(0, false);
  EXPECT_EQ(commands.DetectUnlinkedAddresses(), 2);
  std::string link;
  ASSERT_TRUE(editor.Doc().GetLinkAt(5, link));
  EXPECT_EQ(link, "http://a.jp/q?x=1&y=2");
  EXPECT_FALSE(editor.Doc().HasAttributeAt(26, DECO_LINK));  // the space after the query
  const int mail = static_cast<int>(text.find("me.sama"));
  ASSERT_TRUE(editor.Doc().GetLinkAt(mail, link));
  EXPECT_EQ(link, "mailto:me.sama@mail.jp");
  EXPECT_FALSE(editor.Doc().HasAttributeAt(mail - 1, DECO_LINK));
  EXPECT_EQ(prompt.Ids(), (std::vector<int>{IDS_LINK_UNLINKED_ADDRESS, IDS_LINK_UNLINKED_ADDRESS}));

  // Everything linked now: the seller hears that nothing was found.
  editor.MoveCaret(0, false);
  EXPECT_EQ(commands.DetectUnlinkedAddresses(), -1);
  EXPECT_EQ(prompt.Ids().back(), IDS_NO_UNLINKED_ADDRESS);

  editor.SetHtml("a@b.jp c@d.jp");
  prompt.Queue(PromptAnswer::No);
  prompt.Queue(PromptAnswer::Cancel);
  EXPECT_EQ(commands.DetectUnlinkedAddresses(), -2);
  EXPECT_EQ(editor.GetHtml(), "a@b.jp&nbsp;c@d.jp");
}

TEST_F(DecorateCommandsTest, ReplaceAllShiftsLaterMatchesAndSkipsHalvesOfKanji) {
  // The trail byte of ソ is a backslash, which is not a character here.
  editor.SetHtml("");
  editor.PastePlain("ab " + Cp932("ソ") + " AB\\ <ab>");
  editor.ApplyDecoration(DECO_BOLD, 0, 3);
  EXPECT_EQ(commands.ReplaceAll("ab", "xyz!", false, 0, 0), 3);
  EXPECT_EQ(commands.ReplaceAll("\\", "/", true, 0, 0), 1);
  EXPECT_EQ(editor.Doc().Text(), "xyz! " + Cp932("ソ") + " xyz!/ <xyz!>");
  EXPECT_TRUE(editor.Doc().IsAppliedToAll(0, 5, DECO_BOLD));

  int asked = 0;
  EXPECT_EQ(
      commands.ReplaceAll("xyz!", "q", true, 1, 0,
                          [&] { return ++asked == 1 ? PromptAnswer::No : PromptAnswer::Yes; }),
      1);
  EXPECT_EQ(editor.Doc().Text(), "xyz! " + Cp932("ソ") + " xyz!/ <q>");
}

// Replaced words keep their own decorations and take none from their neighbours: not the bold of
// the word they follow, and still the bold and colour of a word they begin or are.
TEST_F(DecorateCommandsTest, ReplaceAllKeepsTheDecorationsOfTheReplacedWords) {
  editor.SetHtml("");
  editor.PastePlain("greentea teatime red tea");
  editor.ApplyDecoration(DECO_BOLD, 0, 5);
  editor.ApplyDecoration(DECO_BOLD, 9, 16);
  editor.ApplyDecoration(DECO_COLOR, 21, 24, {0x0000FF, {}});
  EXPECT_EQ(commands.ReplaceAll("tea", "coffee", true, 0, 0), 3);
  EXPECT_EQ(editor.Doc().Text(), "greencoffee coffeetime red coffee");
  EXPECT_TRUE(editor.Doc().IsAppliedToAll(0, 5, DECO_BOLD));
  EXPECT_FALSE(editor.Doc().HasOverlapping(5, 12, DECO_BOLD));
  EXPECT_TRUE(editor.Doc().IsAppliedToAll(12, 22, DECO_BOLD));
  EXPECT_FALSE(editor.Doc().HasOverlapping(22, 33, DECO_BOLD));
  EXPECT_EQ(editor.Doc().GetColorAt(27), 0x0000FF);
  EXPECT_EQ(editor.Doc().GetColorAt(32), 0x0000FF);
  EXPECT_FALSE(editor.Doc().HasOverlapping(22, 27, DECO_COLOR));
}

// Ignoring case touches single-byte letters only: ア and ヂ differ in a trail byte that reads as
// "A" or "a".
TEST_F(DecorateCommandsTest, FindStepsThroughMatchesBothWaysAndKanjiNeverMatchIgnoringCase) {
  editor.SetHtml("");
  editor.PastePlain(Cp932("ア Item ヂ item ITEM"));
  editor.MoveCaret(0, false);
  ASSERT_TRUE(commands.FindNext(Cp932("ヂ"), false, true));
  EXPECT_EQ(editor.SelectionStart(), static_cast<int>(Cp932("ア Item ").size()));
  editor.MoveCaret(0, false);
  std::vector<int> found;
  while (commands.FindNext("item", false, true)) found.push_back(editor.SelectionStart());
  const int first = static_cast<int>(Cp932("ア ").size());
  const int second = static_cast<int>(Cp932("ア Item ヂ ").size());
  EXPECT_EQ(found, (std::vector<int>{first, second, second + 5}));
  // At the end the last match stays selected; going back finds the earlier ones.
  EXPECT_EQ(editor.SelectionStart(), second + 5);
  ASSERT_TRUE(commands.FindNext("Item", true, false));
  EXPECT_EQ(editor.SelectionStart(), first);
  EXPECT_FALSE(commands.FindNext("Item", true, false));
  EXPECT_EQ(commands.ReplaceAll(Cp932("ア"), "A", false, 0, 0), 1);
  EXPECT_EQ(editor.Doc().Text(), Cp932("A Item ヂ item ITEM"));
}

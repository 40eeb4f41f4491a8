#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DecorateTestSupport.h"
#include "core/common/Encoding.h"
#include "core/decorate/DecorateEditor.h"

using namespace nuvo;

namespace {

// Records the announcements and the record the host would read at each one.
class Recorder : public IDecorateEditListener {
 public:
  explicit Recorder(const CDecorateEditor& editor) : editor_(editor) {}
  void BeforeChange(int code) override { Note("before", code); }
  void AfterChange(int code) override { Note("after", code); }

  std::vector<std::string> events;

 private:
  void Note(const char* when, int code) {
    const DecorateOperation& op = editor_.LastOperation();
    events.push_back(std::string(when) + " " + std::to_string(code) + " " +
                     std::to_string(op.start) + "+" + std::to_string(op.length) + " " + op.text);
  }
  const CDecorateEditor& editor_;
};

struct OverwriteOff {
  ~OverwriteOff() {
    if (CDecorateEditor::Overwrite()) editor.ToggleOverwrite();
  }
  CDecorateEditor& editor;
};

}  // namespace

TEST(DecorateEditor, TypedTextFollowsTheDecorationBeforeTheCaretOrTheChosenStyle) {
  CDecorateEditor editor;
  editor.SetHtml("<b>bold</b><br>next");
  editor.MoveCaret(4, false);
  editor.TypeText("X");
  EXPECT_EQ(editor.GetHtml(), "<b>boldX</b><br>next");

  // A style chosen without a selection goes onto the next text only; a line break keeps it.
  editor.MoveCaret(editor.Doc().GetLength(), false);
  editor.EditPendingStyle().AddFlag(DECO_ITALIC);
  editor.TypeLineBreak();
  ASSERT_NE(editor.PendingStyle(), nullptr);
  editor.TypeText("it");
  EXPECT_EQ(editor.PendingStyle(), nullptr);
  editor.TypeText("!");
  EXPECT_EQ(editor.GetHtml(), "<b>boldX</b><br>next<br><i>it!</i>");

  // Moving the caret forgets a style that was chosen but not used.
  editor.EditPendingStyle().AddFlag(DECO_UNDERLINE);
  editor.MoveCaret(0, false);
  EXPECT_EQ(editor.PendingStyle(), nullptr);
}

TEST(DecorateEditor, AnnouncesEveryChangeWithTheRecordTheHostNeeds) {
  CDecorateEditor editor;
  Recorder recorder(editor);
  editor.SetListener(&recorder);
  // Made after the recorder so that it is gone first: turning overwrite off is announced.
  OverwriteOff restore{editor};
  editor.TypeText("abcd");
  editor.SetSelection(1, 3);
  editor.ApplyDecoration(DECO_LINK, 1, 3, {0, "http://a.jp/"});
  editor.TypeText("Z");  // replaces the selection: a deletion, then the insertion
  editor.ToggleOverwrite();
  editor.MoveCaret(0, false);
  editor.TypeText("xy");
  EXPECT_EQ(editor.Doc().Text(), "xyd");
  EXPECT_EQ(recorder.events, (std::vector<std::string>{
                                 "before 1 0+0 ", "after 1 0+4 abcd", "before 9 1+2 http://a.jp/",
                                 "after 9 1+2 http://a.jp/", "before 2 1+2 bc", "after 2 1+2 bc",
                                 "before 1 1+0 ", "after 1 1+1 Z",
                                 // the text an overwrite destroys is known before it goes
                                 "before 1 0+2 aZ", "after 1 0+2 xy"}));
}

TEST(DecorateEditor, OverwriteStopsAtTheLineBreakAndNotAfterDeletingASelection) {
  CDecorateEditor editor;
  OverwriteOff restore{editor};
  editor.SetHtml("ab<br>cd");
  editor.ToggleOverwrite();
  editor.TypeText("xyz");
  EXPECT_EQ(editor.Doc().Text(), "xyz\ncd");
  editor.SetSelection(4, 5);
  editor.TypeText("12");
  EXPECT_EQ(editor.Doc().Text(), "xyz\n12d");
  // A two-byte character under the caret is overwritten whole.
  editor.SetHtml(Cp932("漢字"));
  editor.TypeText("a");
  EXPECT_EQ(editor.Doc().Text(), "a" + Cp932("字"));
}

TEST(DecorateEditor, SingleLineEditorsNeverHoldALineBreak) {
  CDecorateEditor editor(0);
  EXPECT_FALSE(editor.SetHtml("<b>a<br>b</b>"));
  EXPECT_EQ(editor.Doc().Text(), "ab");
  EXPECT_FALSE(editor.TypeLineBreak());
  editor.PastePlain("one\r\ntwo<br>three");
  editor.PasteHtml("<i>x<br>y</i>");
  EXPECT_EQ(editor.Doc().Text(), "onetwothreexyab");
  EXPECT_TRUE(editor.Doc().IsAppliedToAll(11, 13, DECO_ITALIC));

  CDecorateEditor multi;
  multi.PastePlain("one\r\ntwo\tend");
  EXPECT_EQ(multi.Doc().Text(), "one\ntwo    end");
}

TEST(DecorateEditor, DecoratedCopyPasteKeepsCharacterDecorationsButNotCentring) {
  CDecorateEditor source(kDecoMultiLine | kDecoAllowCentre);
  source.SetHtml(
      "<center>head<br></center>plain <font color=red><b>red bold</b></font> <a href=http://x.jp/>"
      "link</a>");
  source.SelectAll();
  CDecorateEditor target;
  target.TypeText("[]");
  target.MoveCaret(1, false);
  target.PasteHtml(source.SelectedHtml());
  EXPECT_EQ(target.GetHtml(),
            "[head<br>plain&nbsp;<font color=red><b>red&nbsp;bold</b></font>&nbsp;<a "
            "href=http://x.jp/>link</a>]");
  EXPECT_EQ(target.Caret(), 1 + source.Doc().GetLength());
  EXPECT_TRUE(test::KeepsInvariants(target.Doc()));
}

TEST(DecorateEditor, HalfWidthKatakanaBecomeFullWidthUnlessTheEditorKeepsThem) {
  CDecorateEditor editor;
  editor.TypeText("\xB6\xDE\x80");  // ｶﾞ and the byte 0x80
  EXPECT_EQ(editor.Doc().Text(), Cp932("ガ・"));
  CDecorateEditor keeping(kDecoMultiLine | kDecoKeepHalfKana);
  keeping.PastePlain("\xB6\xDE");
  EXPECT_EQ(keeping.Doc().Text(), "\xB6\xDE");
}

TEST(DecorateEditor, CaretStepsWholeCharactersAndWordsFollowCharacterKinds) {
  // 表 and ソ end in the byte of a backslash, which must never be taken for a character.
  CDecorateEditor editor;
  const std::string text = "ab" + Cp932("表ソ") + "\n" + Cp932("ひらがなカタカナ漢字") + "xy1 z";
  editor.SetHtml("");
  editor.PastePlain(text);
  EXPECT_EQ(editor.PrevCharPos(6), 4);
  EXPECT_EQ(editor.PrevCharPos(4), 2);
  EXPECT_EQ(editor.PrevCharPos(7), 6);
  EXPECT_EQ(editor.NextCharPos(2), 4);

  editor.Backspace();
  editor.Backspace();
  EXPECT_EQ(editor.Doc().Text(), text.substr(0, text.size() - 2));
  editor.MoveCaret(0, false);
  editor.Backspace();  // nothing before the start
  editor.DeleteForward();
  EXPECT_EQ(editor.Doc().Text(), text.substr(1, text.size() - 3));

  const int kana = 6;  // ひ, after "b表ソ\n"
  EXPECT_EQ(editor.WordAt(kana + 2), (std::pair{kana, kana + 8}));
  EXPECT_EQ(editor.WordAt(kana + 8), (std::pair{kana + 8, kana + 16}));
  EXPECT_EQ(editor.WordAt(kana + 16), (std::pair{kana + 16, kana + 20}));
  EXPECT_EQ(editor.WordAt(kana + 21), (std::pair{kana + 20, kana + 23}));
}

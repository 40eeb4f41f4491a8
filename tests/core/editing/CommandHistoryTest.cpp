#include "core/document/CommandHistory.h"

#include <gtest/gtest.h>

#include <string>

#include "EditingFixture.h"
#include "core/editing/ValueCommands.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

// Writes what it does into a shared log.
class LoggingCommand : public CEditCommand {
 public:
  LoggingCommand(CNuvoDoc& doc, std::string name, std::string& log)
      : CEditCommand(doc), name_(std::move(name)), log_(log) {}
  ~LoggingCommand() override { log_ += "~" + name_ + " "; }

 protected:
  void Apply() override { log_ += "x" + name_ + " "; }
  void Revert() override { log_ += "u" + name_ + " "; }
  void Reapply() override { log_ += "r" + name_ + " "; }

 private:
  std::string name_;
  std::string& log_;
};

TEST_F(EditingTest, TheHistoryWalksBackAndForthAndDropsTheRedoTailOnANewEdit) {
  std::string log;
  CCommandHistory history;
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  history.Undo();
  history.Redo();
  history.Add(nullptr);
  EXPECT_FALSE(history.CanUndo());

  history.Add(std::make_unique<LoggingCommand>(doc, "a", log));
  history.Add(std::make_unique<LoggingCommand>(doc, "b", log));
  history.Add(std::make_unique<LoggingCommand>(doc, "c", log));
  history.Undo();
  history.Undo();
  EXPECT_TRUE(history.CanRedo());
  history.Redo();
  EXPECT_EQ(log, "xa xb xc uc ub rb ");

  // c is still undone: a new edit executes, then c goes and cannot come back.
  log.clear();
  history.Add(std::make_unique<LoggingCommand>(doc, "d", log));
  EXPECT_EQ(log, "xd ~c ");
  EXPECT_FALSE(history.CanRedo());
  history.Undo();
  history.Undo();
  history.Undo();
  EXPECT_FALSE(history.CanUndo());
  history.Undo();
  EXPECT_EQ(log, "xd ~c ud ub ua ");

  log.clear();
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
  for (const char* gone : {"~a ", "~b ", "~d "}) EXPECT_NE(log.find(gone), std::string::npos);
}

TEST_F(EditingTest, UndoingBackToTheSavedStateLeavesTheListingUnmodified) {
  ASSERT_FALSE(doc.IsModified());
  Run(MakeSetStartPriceCommand(doc, 2000));
  Run(MakeSetQuantityCommand(doc, 3));
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetStartPrice(), 1000);
  doc.Redo();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetStartPrice(), 2000);
}

TEST_F(EditingTest, AfterSavingUndoMarksModifiedAndRedoClearsItAgain) {
  TempDir dir;
  Run(MakeSetStartPriceCommand(doc, 2000));
  Run(MakeSetQuantityCommand(doc, 2));
  Run(MakeSetQuantityCommand(doc, 3));
  doc.Undo();
  ASSERT_TRUE(doc.OnSaveDocument(dir.path() / "saved.nvd"));
  doc.Undo();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.GetQuantity(), 1);
  doc.Redo();
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetQuantity(), 2);
  doc.Redo();  // past the saved state
  EXPECT_TRUE(doc.IsModified());
  doc.Undo();
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditingTest, ANewListingStartsWithAnEmptyHistory) {
  Run(MakeSetStartPriceCommand(doc, 2000));
  ASSERT_TRUE(doc.CanUndo());
  doc.OnNewDocument();
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.CanRedo());
}

TEST_F(EditingTest, EveryStepOfACommandRefreshesTheMenusAndUndoTellsWhatChanged) {
  Run(MakeSetStartPriceCommand(doc, 2000));
  EXPECT_EQ(listener.menuRefreshes, 1);
  EXPECT_TRUE(listener.changed.empty());  // the pane that made the edit shows it already
  doc.Undo();
  doc.Redo();
  EXPECT_EQ(listener.menuRefreshes, 3);
  EXPECT_EQ(listener.changed.size(), 2u);
  doc.Listeners().Remove(&listener);
  doc.Undo();
  EXPECT_EQ(listener.menuRefreshes, 3);
}

}  // namespace

#include "core/editing/RowCommands.h"

#include <gtest/gtest.h>

#include "EditingFixture.h"
#include "support/ImageBytes.h"
#include "support/TempDir.h"

using namespace nuvo;

namespace {

std::vector<std::string> Items(const CNuvoDoc& doc) {
  std::vector<std::string> items;
  for (const CItemPair& pair : doc.GetPostItems()) items.push_back(pair.item);
  return items;
}

class RowCommandsTest : public EditingTest {
 protected:
  void AddPost(const std::string& item) {
    Run(MakeAddRowCommand(doc, ERowList::Post));
    Run(MakeSetRowCommand(doc, ERowList::Post, doc.GetPostItems().size() - 1,
                          CItemPair{item, item + "!"}));
  }
};

TEST_F(RowCommandsTest, UndoingAnAddRemovesTheAppendedRowEvenAfterMoves) {
  AddPost("a");
  AddPost("b");
  Run(MakeAddRowCommand(doc, ERowList::Post));
  Run(MakeMoveRowCommand(doc, ERowList::Post, 2, EMoveDirection::Up));
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "", "b"}));
  doc.Undo();  // the move
  listener.Reset();
  doc.Undo();  // the add
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(listener.changed.back().mask, change::kPostItems);
  doc.Redo();
  doc.Redo();
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "", "b"}));
}

TEST_F(RowCommandsTest, MovesStopAtTheEndsAndUndoByTheSameExchange) {
  AddPost("a");
  AddPost("b");
  AddPost("c");
  EXPECT_EQ(MakeMoveRowCommand(doc, ERowList::Post, 0, EMoveDirection::Up), nullptr);
  EXPECT_EQ(MakeMoveRowCommand(doc, ERowList::Post, 2, EMoveDirection::Down), nullptr);
  EXPECT_EQ(MakeMoveRowCommand(doc, ERowList::Post, 3, EMoveDirection::Up), nullptr);

  listener.Reset();
  Run(MakeMoveRowCommand(doc, ERowList::Post, 1, EMoveDirection::Down));
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_EQ(listener.changed.size(), 1u);  // a move tells the sheet at once
  doc.Undo();
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(doc.GetPostItems()[1].detail, "b!");
}

TEST_F(RowCommandsTest, ADeletedRowComesBackWholeWhereItStood) {
  AddPost("a");
  AddPost("b");
  AddPost("c");
  EXPECT_EQ(MakeDeleteRowCommand(doc, ERowList::Post, 3), nullptr);
  Run(MakeDeleteRowCommand(doc, ERowList::Post, 1));
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "c"}));
  doc.Undo();
  EXPECT_EQ(doc.GetPostItems()[1], (CItemPair{"b", "b!"}));
  doc.Redo();
  EXPECT_EQ(Items(doc), (std::vector<std::string>{"a", "c"}));
}

TEST_F(RowCommandsTest, EveryListKeepsItsOwnRowsAndMask) {
  Run(MakeAddRowCommand(doc, ERowList::Pay));
  Run(MakeAddRowCommand(doc, ERowList::Other));
  Run(MakeSetRowCommand(doc, ERowList::Other, 0, std::string("gift")));
  EXPECT_EQ(MakeSetRowCommand(doc, ERowList::Other, 0, CItemPair{}), nullptr);
  Run(MakeAddPhotoCommand(
      doc, {{"p.jpg", {40, 40}, ""}, CPhotoData(std::vector<std::uint8_t>{1, 2, 3})}));
  Run(MakeAddRowCommand(doc, ERowList::ShipMethods));
  EXPECT_EQ(doc.GetPayItems().size(), 1u);
  EXPECT_EQ(doc.GetOtherItems(), std::vector<std::string>{"gift"});
  EXPECT_EQ(doc.GetPhotoNames(), std::vector<std::string>{"p.jpg"});
  EXPECT_EQ(*doc.GetPhotoData().front().Read(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_EQ(doc.GetShipping().methods.size(), 1u);
  EXPECT_TRUE(doc.GetPostItems().empty());

  std::vector<std::uint32_t> masks;
  for (int i = 0; i < 5; ++i) {
    listener.Reset();
    doc.Undo();
    masks.push_back(listener.changed.back().mask);
  }
  EXPECT_EQ(masks,
            (std::vector<std::uint32_t>{change::kShipMethods, change::kPhotos, change::kOtherItems,
                                        change::kOtherItems, change::kPayItems}));
  EXPECT_TRUE(doc.GetPhotoData().empty());
}

TEST_F(RowCommandsTest, UndoingAPhotoDeleteAfterSavesBringsBackItsBytes) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "listing.nvd";
  const std::vector<std::uint8_t> front = JpegBytes(640, 480), back = JpegBytes(480, 640);
  doc.SetPhotos({"front.jpg", "back.jpg"}, {{640, 480}, {480, 640}}, {"", ""},
                {CPhotoData(front), CPhotoData(back)});
  ASSERT_TRUE(doc.OnSaveDocument(path));
  ASSERT_TRUE(doc.OnOpenDocument(path));
  // The deleted photo lives on in the history as a piece of the file it was opened from, which
  // the save renames a new file over.
  Run(MakeDeleteRowCommand(doc, ERowList::Photos, 0));
  ASSERT_TRUE(doc.OnSaveDocument(path));
  doc.Undo();
  ASSERT_TRUE(doc.OnSaveDocument(path));

  CNuvoDoc reopened(settings, prompt);
  ASSERT_TRUE(reopened.OnOpenDocument(path));
  ASSERT_EQ(reopened.GetPhotoNames(), (std::vector<std::string>{"front.jpg", "back.jpg"}));
  EXPECT_EQ(*reopened.GetPhotoData()[0].Read(), front);
  EXPECT_EQ(*reopened.GetPhotoData()[1].Read(), back);
}

}  // namespace

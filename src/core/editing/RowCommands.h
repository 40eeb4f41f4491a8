#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/document/DescriptInput.h"
#include "core/document/EditCommand.h"
#include "core/document/NuvoDoc.h"
#include "core/document/ShipMethod.h"

// The lists of the listing that are edited row by row, and the commands that add, delete, move
// and rewrite one row. A factory returns nullptr when the row it names does not exist (or a move
// would leave the list), which the history ignores.
namespace nuvo {

enum class ERowList { Other, Pay, Photos, Post, ShipMethods };

// A photo row: the photo's name, pixel size and text, and the whole image file.
struct CPhotoRow {
  CPhotoEntry entry;
  CPhotoData data;
  friend bool operator==(const CPhotoRow&, const CPhotoRow&) = default;
};

// One row of any list: an Other item is a text, Pay and Post items are pairs.
using ListRow = std::variant<std::string, CItemPair, CPhotoRow, CShipMethod>;

// The change mask of a list.
std::uint32_t RowListMask(ERowList list);
std::vector<ListRow> GetRows(const CNuvoDoc& doc, ERowList list);
void SetRows(CNuvoDoc& doc, ERowList list, const std::vector<ListRow>& rows);

// Appends an empty row.
std::unique_ptr<CEditCommand> MakeAddRowCommand(CNuvoDoc& doc, ERowList list);
// Appends a photo that has passed the checks of the photo reader.
std::unique_ptr<CEditCommand> MakeAddPhotoCommand(CNuvoDoc& doc, CPhotoRow photo);
std::unique_ptr<CEditCommand> MakeDeleteRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index);
enum class EMoveDirection { Up, Down };
std::unique_ptr<CEditCommand> MakeMoveRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index,
                                                 EMoveDirection direction);
// Replaces row `index` by `row`, which must be of the list's kind.
std::unique_ptr<CEditCommand> MakeSetRowCommand(CNuvoDoc& doc, ERowList list, std::size_t index,
                                                ListRow row);

}  // namespace nuvo

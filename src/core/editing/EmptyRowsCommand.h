#pragma once

#include <memory>

#include "core/document/EditCommand.h"
#include "core/editing/RowCommands.h"

// Deletes every empty item of one of the description's item lists (shipping, payment, other) in
// one step, which undo takes back whole.
namespace nuvo {

// Whether a row of an item list holds no text at all.
bool IsEmptyRow(const ListRow& row);

// nullptr when the list holds no empty item.
std::unique_ptr<CEditCommand> MakeDeleteEmptyRowsCommand(CNuvoDoc& doc, ERowList list);

}  // namespace nuvo

#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/MessageIds.h"

// The program's string table: every text the program shows, keyed by message id, compiled in
// from messages.tsv (UTF-8). Ids below 20000, and the command texts from 40000 on, are the ids the
// texts have always had; the program's own additions take 20000 to 39999.
namespace nuvo {

// The text of `id` in UTF-8; empty when the table has no such id.
std::string_view LoadStringUtf8(int id);

// The text of `id` in code page 932; empty when the table has no such id.
std::string LoadString(int id);

// Whether the table holds `id`.
bool HasString(int id);

// Every id of the table, in ascending order.
std::vector<int> StringIds();

// Reads text in the messages.tsv format into its texts by id (UTF-8, escapes undone). The table is
// built into the program, so a damaged line or an id given twice aborts with a message naming it.
std::map<int, std::string> ParseStringTable(std::string_view tsv);

}  // namespace nuvo

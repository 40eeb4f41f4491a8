#pragma once

#include <string>
#include <string_view>

#include "core/common/MessageIds.h"

// The program's string table: every text the program shows, keyed by message id, compiled in
// from messages.tsv (UTF-8). Ids below 20000 are the service-era ids the texts have always had;
// the program's own additions start at 20000.
namespace nuvo {

// The text of `id` in UTF-8; empty when the table has no such id.
std::string_view LoadStringUtf8(int id);

// The text of `id` in code page 932; empty when the table has no such id.
std::string LoadString(int id);

// Whether the table holds `id`.
bool HasString(int id);

}  // namespace nuvo

#pragma once

#include <cstdint>
#include <string>

namespace nuvo {

// A yen amount as the pages show it: decimal digits grouped by three with commas, a space and
// "円" ("1,000 円"); code page 932.
std::string AmountText(std::int64_t yen);

}  // namespace nuvo

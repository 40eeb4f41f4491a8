#include "core/editing/MachineDependentChars.h"

#include <array>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

// Trail bytes run from 0x40 to 0xFC, skipping 0x7F; a block covers whole rows of them unless the
// row is only partly used.
constexpr std::array<Cp932CodeBlock, 6> kBlocks = {{
    {0x87, 0x87, 0x40, 0x9C},  // NEC row 13: circled digits, Roman numerals, units, "№", "㈱"
    {0xED, 0xED, 0x40, 0xFC},  // NEC-selected IBM extensions
    {0xEE, 0xEE, 0x40, 0xFC},
    {0xF0, 0xF9, 0x40, 0xFC},  // the user-defined area
    {0xFA, 0xFB, 0x40, 0xFC},  // IBM extensions
    {0xFC, 0xFC, 0x40, 0x4B},
}};

}  // namespace

std::span<const Cp932CodeBlock> MachineDependentBlocks() { return kBlocks; }

bool IsMachineDependentCode(unsigned char lead, unsigned char trail) {
  if (trail == 0x7F) return false;
  for (const Cp932CodeBlock& block : kBlocks) {
    if (lead >= block.firstLead && lead <= block.lastLead && trail >= block.firstTrail &&
        trail <= block.lastTrail) {
      return true;
    }
  }
  return false;
}

std::optional<std::size_t> FindMachineDependentChar(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); pos += CharWidthAt(text, pos)) {
    if (CharWidthAt(text, pos) == 2 &&
        IsMachineDependentCode(static_cast<unsigned char>(text[pos]),
                               static_cast<unsigned char>(text[pos + 1]))) {
      return pos;
    }
  }
  return std::nullopt;
}

}  // namespace nuvo

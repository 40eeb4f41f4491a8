#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

// Characters of code page 932 that other systems show wrongly or not at all: everything outside
// the JIS X 0208 repertoire that Shift_JIS shares on every platform. These are the NEC special
// characters of row 13 (circled digits, Roman numerals, unit ligatures, "№", "℡", "㈱"), the
// NEC-selected and the IBM extension kanji and symbols, and the user-defined area. A Mac or a
// Unix machine reads these bytes as other characters, or as nothing.
namespace nuvo {

// A run of two-byte codes: lead bytes `firstLead`..`lastLead`, each with the trail bytes
// `firstTrail`..`lastTrail`.
struct Cp932CodeBlock {
  unsigned char firstLead;
  unsigned char lastLead;
  unsigned char firstTrail;
  unsigned char lastTrail;
};

// The blocks, in code order.
std::span<const Cp932CodeBlock> MachineDependentBlocks();

// Whether the two-byte code `lead`, `trail` is one of them.
bool IsMachineDependentCode(unsigned char lead, unsigned char trail);

// The byte offset of the first machine-dependent character of `text` (code page 932), stepping
// over two-byte characters whole.
std::optional<std::size_t> FindMachineDependentChar(std::string_view text);

}  // namespace nuvo

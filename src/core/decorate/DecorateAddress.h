#pragma once

#include <string>
#include <vector>

#include "core/decorate/DecorateEditDoc.h"

// Web and mail addresses written into a decorated text: the link address a selected text stands
// for, and the addresses that a seller typed without making them links.
namespace nuvo {

// One address found in the text: its bytes [start, end) and the link it becomes.
struct FoundAddress {
  int start = 0;
  int end = 0;
  std::string link;
};

// The link address that `count` bytes from `pos` spell: the text itself when it starts with
// "http://", "https://" or "ftp://" (any case), "mailto:" and the text when it holds "@" between
// its first and last byte, else empty. Text with any byte outside ASCII gives empty.
std::string GetLinkAddressFromText(const CDecorateEditDoc& doc, int pos, int count);

// The addresses in `count` bytes from `start` that no link covers yet, in the order they are
// proposed to the seller: all web addresses of each scheme, then all mail addresses.
std::vector<FoundAddress> FindUnlinkedAddresses(const CDecorateEditDoc& doc, int start, int count);

}  // namespace nuvo

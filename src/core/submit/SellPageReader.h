#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/html/HtmlDocument.h"

// Reads what the service says on the pages of a submission: its dialog boxes and notices on the
// sell page, the error text and the fields in error of a refused form, the access refusal, the
// completion page and the address of the final post. Every function reads one loaded page and
// keeps nothing.
namespace nuvo {

class CServiceProfile;

// AnalyseSellPage flags.
inline constexpr unsigned kSellPageKnownDialog = 1;       // a dialog box that does not block
inline constexpr unsigned kSellPageClosedToNormal = 2;    // the category takes easy trade only
inline constexpr unsigned kSellPageSellerInfoNeeded = 4;  // easy-trade seller info is missing

struct SellPageNotice {
  unsigned flags = 0;
  // The service's own text ("untBody") followed by a blank line, when no flag explains the page.
  std::string message;
};

SellPageNotice AnalyseSellPage(const CHtmlSubDocument& page, bool easyTrade);

// The service's explanation on a page that should have moved on and did not; empty when none.
std::string ErrorText(const CHtmlDocument& page);
// The labels of the sell form's fields marked in error.
std::vector<std::string> ErrorItems(const CHtmlSubDocument& page);
// The error text with the fields in error appended after `itemsNote` when the text speaks of
// them.
std::string ErrorReport(const CHtmlDocument& page, std::string_view itemsNote);

// The final address is the service's announcement page for too many accesses.
bool IsAccessRefused(std::string_view finalUrl, const CServiceProfile& profile);
// The page is the service's completion page.
bool IsCompleted(const CHtmlDocument& page);

// The address the confirmation page's "出品する" button posts to, when it lies on the sell host;
// empty otherwise.
std::string FinalPostAddress(const CHtmlSubDocument& page, const CServiceProfile& profile);

}  // namespace nuvo

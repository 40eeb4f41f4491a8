#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/html/HtmlDocument.h"

// The account an easy-trade listing is paid into. That sell form takes no bank names: it offers
// the accounts the seller has registered with the service, as a list or as radio buttons named
// "bkid", and the program picks one of them by the bank names of the seller's settings.
namespace nuvo {

class CFieldSet;

struct OfferedBank {
  std::string value;  // what the form sends for it
  std::string label;  // what the seller sees, trimmed
};

// The accounts the form offers, in page order.
std::vector<OfferedBank> OfferedBanks(const CHtmlSubDocument& form);

// The value of the first offered account whose label is, or begins with, the first bank name of
// `fields`; nothing when the fields name no bank or no account matches, which leaves the
// service's own choice.
std::optional<std::string> ChooseBank(const std::vector<OfferedBank>& offered,
                                      const CFieldSet& fields);

}  // namespace nuvo

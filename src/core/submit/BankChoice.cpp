#include "core/submit/BankChoice.h"

#include <string_view>

#include "core/html/HtmlNode.h"
#include "core/submit/FieldSet.h"

namespace nuvo {

namespace {

constexpr char kBankField[] = "bkid";
constexpr char kBankId[] = "auc_bkid";

std::string Trimmed(const std::string& text) {
  constexpr std::string_view spaces = " \t\r\n";
  const std::size_t first = text.find_first_not_of(spaces);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(spaces) - first + 1);
}

bool IsBankSelector(const CHtmlNode& node) {
  std::string name;
  std::string id;
  node.GetAttribute("name", name);
  node.GetAttribute("id", id);
  return name == kBankField || id == kBankId;
}

// A radio button's label: the "label" element that names it, else its title.
std::string RadioLabel(const CHtmlSubDocument& form, const CHtmlNode& radio) {
  std::string id;
  std::string label;
  if (radio.GetAttribute("id", id) && !id.empty() && form.FindText({"label", "for", id}, label))
    return Trimmed(label);
  radio.GetAttribute("title", label);
  return Trimmed(label);
}

}  // namespace

std::vector<OfferedBank> OfferedBanks(const CHtmlSubDocument& form) {
  std::vector<OfferedBank> offered;
  for (const CHtmlNode* select : form.FindAll({"select"})) {
    if (!IsBankSelector(*select)) continue;
    for (const CHtmlNode* option : CHtmlSubDocument(select).FindAll({"option"})) {
      OfferedBank bank{{}, Trimmed(option->GetInnerText())};
      if (!option->GetAttribute("value", bank.value)) bank.value = bank.label;
      offered.push_back(std::move(bank));
    }
  }
  for (const CHtmlNode* input : form.FindAll({"input", "type", "radio"})) {
    if (!IsBankSelector(*input)) continue;
    OfferedBank bank{{}, RadioLabel(form, *input)};
    input->GetAttribute("value", bank.value);
    offered.push_back(std::move(bank));
  }
  return offered;
}

std::optional<std::string> ChooseBank(const std::vector<OfferedBank>& offered,
                                      const CFieldSet& fields) {
  std::string wanted;
  for (int row = 1; row <= CFieldSet::kRows && wanted.empty(); ++row) {
    const int slot = FieldRow(kFieldBankName1, row);
    if (fields.IsSet(slot)) wanted = Trimmed(fields.Get(slot));
  }
  if (wanted.empty()) return std::nullopt;
  // Comparing from the label's first byte keeps a match on whole characters of code page 932.
  for (const OfferedBank& bank : offered)
    if (std::string_view(bank.label).starts_with(wanted)) return bank.value;
  return std::nullopt;
}

}  // namespace nuvo

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/document/ChargeOptions.h"
#include "core/document/DescriptInput.h"
#include "core/document/EditCommand.h"
#include "core/document/ItemCondition.h"
#include "core/document/ShipMethod.h"
#include "core/document/SizeWeight.h"

// The commands that change one value of the listing. Each keeps the new value and, once applied,
// the old one; undo and redo write one or the other back and tell the sheet which part to
// re-read. Every factory returns a command for the history to apply and own. The title, quantity
// and price commands hold the listing's rules (ListingRules.h): whatever a caller passes, they
// store a title without refused characters and numbers inside their ranges.
namespace nuvo {

// The title, with the title box's selection at the time (packed, see PackSelection), which undo
// and redo restore along with the text.
std::unique_ptr<CEditCommand> MakeSetTitleCommand(CNuvoDoc& doc, std::string title,
                                                  std::int32_t selection);
std::unique_ptr<CEditCommand> MakeSetSalesFormatCommand(CNuvoDoc& doc, std::int32_t format);
std::unique_ptr<CEditCommand> MakeSetStartPriceCommand(CNuvoDoc& doc, std::int64_t yen);
std::unique_ptr<CEditCommand> MakeSetBuyNowPriceCommand(CNuvoDoc& doc, std::int64_t yen);
std::unique_ptr<CEditCommand> MakeSetQuantityCommand(CNuvoDoc& doc, std::int32_t quantity);
// The category id and its display name change together.
struct CategoryChoice {
  std::int32_t id = 0;
  std::string name;
  friend bool operator==(const CategoryChoice&, const CategoryChoice&) = default;
};
std::unique_ptr<CEditCommand> MakeSetCategoryCommand(CNuvoDoc& doc, CategoryChoice category);
std::unique_ptr<CEditCommand> MakeSetConditionCommand(CNuvoDoc& doc, CItemCondition condition);
std::unique_ptr<CEditCommand> MakeSetPaidOptionsCommand(CNuvoDoc& doc, CChargeOptions options);
std::unique_ptr<CEditCommand> MakeSetInternetImagesCommand(CNuvoDoc& doc,
                                                           std::vector<CInternetImageEntry> images);
std::unique_ptr<CEditCommand> MakeSetMemoCommand(CNuvoDoc& doc, std::string memo);
// The page template of the template input; the tree is rebuilt around the listing.
std::unique_ptr<CEditCommand> MakeSetSampleIdCommand(CNuvoDoc& doc, std::uint32_t sampleId);
// The text of the `index`-th description block of the current input type; nullptr when there is
// no such block.
std::unique_ptr<CEditCommand> MakeSetDescriptionCommand(CNuvoDoc& doc, std::size_t index,
                                                        std::string text);

// The fields of a shipping method row that the shipping sheet edits.
enum class EShipRowField {
  Name,
  FeeType,
  Fee,
  HokkaidoFee,
  OkinawaFee,
  IslandsFee,
  FeeTableUrl,
};
// Sets a number field of row `row`; nullptr when there is no such row or the field is a text.
std::unique_ptr<CEditCommand> MakeSetShipRowCommand(CNuvoDoc& doc, std::size_t row,
                                                    EShipRowField field, std::int64_t value);
// Sets a text field of row `row`; nullptr when there is no such row or the field is a number.
std::unique_ptr<CEditCommand> MakeSetShipRowCommand(CNuvoDoc& doc, std::size_t row,
                                                    EShipRowField field, std::string value);
// The package size and weight, which the shipping sheet edits outside the rows.
std::unique_ptr<CEditCommand> MakeSetSizeWeightCommand(CNuvoDoc& doc, CSizeWeight sizeWeight);

// The settings of the service's own carrier services.
enum class EShipServiceField {
  ServiceFlags,
  GroupASetting,
  GroupBSetting,
  GroupBPrefecture,
  GroupCSetting,
};
std::unique_ptr<CEditCommand> MakeSetShipServiceCommand(CNuvoDoc& doc, EShipServiceField field,
                                                        std::int64_t value);

// Switches the description between the template, normal and HTML input. A type whose tree was
// never built gets its starting tree first.
std::unique_ptr<CEditCommand> MakeSetInputTypeCommand(CNuvoDoc& doc, std::int32_t type);

}  // namespace nuvo

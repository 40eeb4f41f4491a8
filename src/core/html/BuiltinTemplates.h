#pragma once

#include <string>

// The page templates compiled into the program, by resource id. Their texts are UTF-8 files in
// the source tree, converted to code page 932 once, at first use.
namespace nuvo {

inline constexpr int kTemplateConfirmStyle = 285;       // style of the confirmation summary
inline constexpr int kTemplateConfirmNote = 286;        // "check the description in the preview"
inline constexpr int kTemplateImageCaption = 287;       // caption block of the photo gallery
inline constexpr int kTemplateNormalInput = 294;        // starting tree of normal input
inline constexpr int kTemplateHtmlInput = 295;          // starting tree of HTML input
inline constexpr int kTemplateShipGeneral = 321;        // general shipping methods block
inline constexpr int kTemplateShipYahooSpecific = 322;  // the service's own shipping methods

// The code page 932 text of built-in template `id`, or nullptr when there is none.
const std::string* BuiltinTemplateText(int id);

}  // namespace nuvo

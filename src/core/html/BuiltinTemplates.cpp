#include "core/html/BuiltinTemplates.h"

#include <map>
#include <string_view>

#include "core/common/Encoding.h"

namespace nuvo {
namespace embedded {
extern const std::string_view kTemplate285;
extern const std::string_view kTemplate286;
extern const std::string_view kTemplate287;
extern const std::string_view kTemplate294;
extern const std::string_view kTemplate295;
extern const std::string_view kTemplate321;
extern const std::string_view kTemplate322;
}  // namespace embedded

const std::string* BuiltinTemplateText(int id) {
  static const std::map<int, std::string> templates = {
      {kTemplateConfirmStyle, Cp932(embedded::kTemplate285)},
      {kTemplateConfirmNote, Cp932(embedded::kTemplate286)},
      {kTemplateImageCaption, Cp932(embedded::kTemplate287)},
      {kTemplateNormalInput, Cp932(embedded::kTemplate294)},
      {kTemplateHtmlInput, Cp932(embedded::kTemplate295)},
      {kTemplateShipGeneral, Cp932(embedded::kTemplate321)},
      {kTemplateShipYahooSpecific, Cp932(embedded::kTemplate322)},
  };
  auto it = templates.find(id);
  return it == templates.end() ? nullptr : &it->second;
}

}  // namespace nuvo

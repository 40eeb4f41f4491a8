#include "gui/editing/TitleText.h"

#include "core/common/MessageFormat.h"
#include "core/common/MessageIds.h"

namespace nuvo {

std::string TitleLengthTip(std::string_view title) {
  auto halves = static_cast<std::int64_t>(title.size() / 2);
  return FormatMessageId(title.size() % 2 ? IDS_TITLE_LENGTH_TIP_HALF : IDS_TITLE_LENGTH_TIP,
                         {halves});
}

}  // namespace nuvo

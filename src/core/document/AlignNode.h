#pragma once

#include <cstdint>

#include "core/document/DocumentNodes.h"

namespace nuvo {

// An Align section with its alignment setting: 0 left, anything else right. The page writes the
// section's single tag back with its "align" attribute set to match.
using CAlignNode = CValueNode<ENodeKind::Align, std::int32_t>;

}  // namespace nuvo

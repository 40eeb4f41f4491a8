#pragma once

#include <string_view>

#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"

// Gives a listing what every check before a submission asks for: a title and one shipping
// method with its fee.
inline void MakeSubmittable(nuvo::CNuvoDoc& doc, std::string_view title) {
  doc.SetTitle(nuvo::Cp932(title));
  nuvo::CShipSettings shipping;
  nuvo::CShipMethod method;
  method.name = nuvo::Cp932("ゆうパック");
  method.fee = 800;
  shipping.methods = {method};
  doc.SetShipping(shipping);
}

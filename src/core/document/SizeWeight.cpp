#include "core/document/SizeWeight.h"

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

std::string MeasureText(const CSizeWeight::Measure& measure, const char* unit) {
  if (measure.amount == 0) return {};
  static const std::string wave = Cp932("～");
  std::string amount = std::to_string(measure.amount) + unit;
  return measure.flag != 0 ? wave + amount : amount + wave;
}

}  // namespace

std::string CSizeWeight::SizeText() const { return MeasureText(size, "cm"); }

std::string CSizeWeight::WeightText() const { return MeasureText(weight, "kg"); }

std::string CSizeWeight::Text() const {
  std::string sizeText = SizeText();
  std::string weightText = WeightText();
  if (sizeText.empty() && weightText.empty()) return {};
  return sizeText + " / " + weightText;
}

}  // namespace nuvo

#pragma once

#include <cstdint>
#include <string>

// A package's size (the sum of its three sides, in cm) and weight (in kg). Each measure is an
// amount, 0 when not set, and a flag that says whether the amount is an upper bound
// ("～60cm") or a lower one ("60cm～").
namespace nuvo {

struct CSizeWeight {
  struct Measure {
    std::int32_t amount = 0;
    std::int32_t flag = 0;
    friend bool operator==(const Measure&, const Measure&) = default;
  };

  Measure size;
  Measure weight;

  bool IsSet() const { return size.amount != 0 || weight.amount != 0; }
  // "～%dcm" or "%dcm～"; empty when the size is not set.
  std::string SizeText() const;
  // "～%dkg" or "%dkg～"; empty when the weight is not set.
  std::string WeightText() const;
  // "%s / %s" of the two texts when either shows something, else empty.
  std::string Text() const;

  friend bool operator==(const CSizeWeight&, const CSizeWeight&) = default;
};

}  // namespace nuvo

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// What every fuzz target shares: the input as text, and the way a target reports a broken
// promise (one that holds for every input) so that libFuzzer keeps the input that broke it.
namespace nuvo::fuzz {

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline void Require(bool promise, const char* what) {
  if (promise) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace nuvo::fuzz

#pragma once

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/common/Encoding.h"
#include "core/decorate/DecorateEditDoc.h"

namespace nuvo::test {

// Whether each byte position of `text` is a character boundary (one past the end included).
inline std::vector<bool> CharBoundaries(const std::string& text) {
  std::vector<bool> boundary(text.size() + 1, false);
  for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i)) boundary[i] = true;
  boundary[text.size()] = true;
  return boundary;
}

// The promises every edit keeps: ranges valid and non-empty inside the text, bounds on character
// boundaries, line ranges on whole lines.
inline testing::AssertionResult KeepsInvariants(const CDecorateEditDoc& doc) {
  const std::string text = doc.GetText();
  const std::vector<bool> boundary = CharBoundaries(text);
  const int length = doc.GetLength();
  for (const auto& range : doc.Ranges()) {
    const int s = range->Start();
    const int e = range->End();
    auto failure = [&](const char* what) {
      return testing::AssertionFailure()
             << what << ": [" << s << ", " << e << ") flags " << range->Flags() << " in a text of "
             << length << " bytes";
    };
    if (!range->IsValid() || s >= e || e > length) return failure("invalid or empty range");
    if (!boundary[s] || !boundary[e]) return failure("bound inside a two-byte character");
    if (range->IsParagraph()) {
      if (s > 0 && text[s - 1] != '\n') return failure("line range not at a line start");
      if (e < length && text[e - 1] != '\n') return failure("line range not at a line end");
    }
  }
  return testing::AssertionSuccess();
}

// The ranges as "[start,end)flags" in list order, for comparing whole lists.
inline std::string Describe(const CDecorateEditDoc& doc) {
  std::string out;
  for (const auto& range : doc.Ranges()) {
    out += "[" + std::to_string(range->Start()) + "," + std::to_string(range->End()) + ")" +
           std::to_string(range->Flags()) + " ";
  }
  return out;
}

// Random text and positions for the property tests: ASCII letters, spaces, line breaks,
// half-width kana, and kanji whose trail bytes look like ASCII letters and marks.
class RandomText {
 public:
  explicit RandomText(unsigned seed) : random_(seed) {}

  int Below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }
  bool OneIn(int n) { return Below(n) == 0; }

  std::string Text(int maxChars) {
    static const std::vector<std::string> pieces = {"a",         "b",         "Z",
                                                    "1",         " ",         " ",
                                                    "\n",        "\n",        "<",
                                                    "&",         "\"",        ">",
                                                    "\xB1",      "\xDF",  // half-width katakana
                                                    Cp932("ア"), Cp932("ソ"), Cp932("表"),
                                                    Cp932("漢"), Cp932("ー")};
    std::string text;
    const int count = Below(maxChars + 1);
    for (int i = 0; i < count; ++i) text += pieces[Below(static_cast<int>(pieces.size()))];
    return text;
  }

  // A character boundary of `text`, the end included.
  int Boundary(const std::string& text) {
    std::vector<int> bounds;
    const std::vector<bool> boundary = CharBoundaries(text);
    for (int i = 0; i < static_cast<int>(boundary.size()); ++i) {
      if (boundary[i]) bounds.push_back(i);
    }
    return bounds[Below(static_cast<int>(bounds.size()))];
  }

  // A line start of `text`, or its end.
  int LineBound(const std::string& text) {
    std::vector<int> bounds = {0, static_cast<int>(text.size())};
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
      if (text[i] == '\n') bounds.push_back(i + 1);
    }
    return bounds[Below(static_cast<int>(bounds.size()))];
  }

 private:
  std::mt19937 random_;
};

}  // namespace nuvo::test

#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Japanese encodings the program meets on the network: their names, how a page declares them,
// how to tell them apart, and conversion into the program's code page 932.
namespace nuvo {

// Codes of the encodings; the values are the ones the program has always stored.
enum class Charset {
  kNone = 0,
  kIso2022Jp = 1,
  kShiftJis = 2,
  kEucJp = 3,
  kUtf8 = 4,
};

// The encoding a name stands for, in any letter case: "EUC-JP" and "x-euc-jp", "ISO-2022-JP",
// "Shift_JIS" and "x-sjis", "UTF-8"; kNone for any other name.
Charset CharsetFromName(std::string_view name);

// The encoding's name as pages declare it ("Shift_JIS", ...); empty for kNone.
std::string_view CharsetName(Charset charset);

// "text/html; charset=<name>"; nullopt for kNone.
std::optional<std::string> ContentTypeFor(Charset charset);

// The encoding that `html` declares with "charset=..." (in a meta tag's content or as the charset
// attribute); kNone when it declares none that the program knows.
Charset CharsetOfHtml(std::string_view html);

// Guesses the encoding of `text`. The text is examined a line-aligned chunk of about 1 KB at a
// time; the first chunk that shows non-ASCII text decides. kNone when no chunk decides, as for
// plain ASCII.
Charset DetectCharset(std::string_view text);

// Converts `text` in `charset` into code page 932; Shift_JIS text is copied. Fails (nullopt) for
// empty text, for kNone and for text that is not valid in its encoding or has no code page 932
// form.
std::optional<std::string> ToShiftJis(std::string_view text, Charset charset);

// Converts between Windows code page numbers: 932 (Shift_JIS), 20932 and 51932 (EUC-JP), 50220,
// 50221 and 50222 (ISO-2022-JP) and 65001 (UTF-8). Equal code pages copy. Fails (nullopt) for
// empty text, for any other code page and for text that does not convert.
std::optional<std::string> ConvertCodePage(unsigned fromCodePage, unsigned toCodePage,
                                           std::string_view text);

}  // namespace nuvo

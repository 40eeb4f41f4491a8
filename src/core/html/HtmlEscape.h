#pragma once

#include <string>

// Escaping of text for HTML and the reverse, over code page 932 bytes.
namespace nuvo {

// Turns "&", the double quote, spaces, "<" and ">" into entities. The ampersand is handled first so
// that no entity this makes is escaped again.
void EscapeHtml(std::string& text);

// Decodes the entities the program meets ("&quot;", "&nbsp;", "&lt;", "&gt;", "&amp;", "&#38;",
// "&#038;", "&#39;", "&#039;") in one pass, so that "&amp;lt;" becomes "&lt;" and not "<".
// With `keepNbsp` "&nbsp;" stays as it is. Returns true when anything was replaced.
bool UnescapeHtml(std::string& text, bool keepNbsp = false);

}  // namespace nuvo

#include "core/decorate/DecorateHtmlWriter.h"

#include <algorithm>

#include "core/common/Encoding.h"
#include "core/decorate/DecorateStateSweep.h"
#include "core/html/HtmlColor.h"
#include "core/html/HtmlEscape.h"

namespace nuvo {
namespace {

constexpr unsigned char kLowestTrailByte = 0x40;

// A link address as an unquoted attribute value that reads back as the same address: whatever
// could end the value or the tag (spaces, controls, quotes, "<", ">") is percent-encoded, which
// leaves the address the browser follows the same, and "&" is written as "&amp;" so that no
// entity forms. None of these bytes can be the second byte of a two-byte character.
void AppendLinkAddress(std::string& out, std::string_view address) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (char c : address) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '&') {
      out += "&amp;";
    } else if (byte <= 0x20 || byte == 0x7F || c == '"' || c == '\'' || c == '<' || c == '>') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    } else {
      out += c;
    }
  }
}

}  // namespace

void CDecorateHtmlWriter::FlushText() {
  EscapeHtml(pending_);
  *out_ += pending_;
  pending_.clear();
}

void CDecorateHtmlWriter::Write(int start, int end, std::string& out) {
  out.clear();
  out_ = &out;
  end = std::min(end, static_cast<int>(text_.size()));
  CDecorateStateSweep sweep(ranges_);
  const DecorateState nothing;

  // What is open in the fragment written so far.
  bool openB = false;
  bool openI = false;
  bool openU = false;
  bool openS = false;
  int size = -1;
  int color = -1;
  std::string link;
  int alignment = 0;

  // An address can be long, so it is compared again only when one side has changed, not at
  // every character.
  const std::string* comparedWant = nullptr;
  std::uint64_t comparedSerial = 0;
  bool linkMoved = true;  // `link` changed since the last comparison
  bool linkSame = true;
  auto sameLink = [&](const std::string& wantLink, std::uint64_t serial) {
    if (linkMoved || &wantLink != comparedWant || serial != comparedSerial) {
      linkSame = link == wantLink;
      comparedWant = &wantLink;
      comparedSerial = serial;
      linkMoved = false;
    }
    return linkSame;
  };

  auto emit = [&](const char* tag) {
    FlushText();
    out += tag;
  };

  for (int i = std::max(start, 0);;) {
    const DecorateState& want = i < end ? sweep.At(i) : nothing;
    const bool wantsLink = (want.flags & DECO_LINK) != 0;
    const std::string& wantLink = wantsLink ? want.link : nothing.link;
    const std::uint64_t wantSerial = wantsLink ? want.linkSerial : 0;

    const bool closeCentre = alignment != 0 && alignment != want.alignment;
    const bool closeLink = !link.empty() && !sameLink(wantLink, wantSerial);
    const bool fontOpen = size >= 1 || color != -1;
    const bool closeFont = fontOpen && (size != want.size || color != want.color);
    const bool closeOuter = closeCentre || closeLink || closeFont;
    const bool closeB = closeOuter || (openB && !(want.flags & DECO_BOLD));
    const bool closeI = closeB || (openI && !(want.flags & DECO_ITALIC));
    const bool closeU = closeI || (openU && !(want.flags & DECO_UNDERLINE));
    const bool closeS = closeU || (openS && !(want.flags & DECO_STRIKE));

    if (openS && closeS) {
      emit("</s>");
      openS = false;
    }
    if (openU && closeU) {
      emit("</u>");
      openU = false;
    }
    if (openI && closeI) {
      emit("</i>");
      openI = false;
    }
    if (openB && closeB) {
      emit("</b>");
      openB = false;
    }
    if (fontOpen && closeOuter) {
      emit("</font>");
      size = -1;
      color = -1;
    }
    if (!link.empty() && (closeCentre || closeLink)) {
      emit("</a>");
      link.clear();
      linkMoved = true;
    }
    if (closeCentre) {
      emit("</center>");
      alignment = 0;
    }
    if (i >= end) break;

    if (want.alignment != 0 && alignment != want.alignment) {
      emit("<center>");
      alignment = want.alignment;
    }
    if (!wantLink.empty() && !sameLink(wantLink, wantSerial)) {
      emit("<a href=");
      AppendLinkAddress(out, wantLink);
      out += '>';
      link = wantLink;
      linkMoved = true;
    }
    if ((want.size >= 1 || want.color != -1) && (size != want.size || color != want.color)) {
      emit("<font");
      if (want.size >= 1) out += " size=" + std::to_string(converter_.SizeToLevel(want.size));
      if (want.color != -1) out += " color=" + ColorToHtml(want.color, true);
      out += '>';
      size = want.size;
      color = want.color;
    }
    if ((want.flags & DECO_BOLD) && !openB) {
      emit("<b>");
      openB = true;
    }
    if ((want.flags & DECO_ITALIC) && !openI) {
      emit("<i>");
      openI = true;
    }
    if ((want.flags & DECO_UNDERLINE) && !openU) {
      emit("<u>");
      openU = true;
    }
    if ((want.flags & DECO_STRIKE) && !openS) {
      emit("<s>");
      openS = true;
    }

    int width = static_cast<int>(CharWidthAt(text_, i));
    if (text_[i] == '\n') {
      emit("<br>");
    } else if (width == 2 && static_cast<unsigned char>(text_[i + 1]) < kLowestTrailByte) {
      // A lead byte before a byte that cannot end a two-byte character stands alone, so that
      // the markup character after it is still escaped.
      FlushText();
      out += text_[i];
      width = 1;
    } else {
      pending_.append(text_.substr(i, width));
    }
    i += width;
  }
  FlushText();
  out_ = nullptr;
}

}  // namespace nuvo

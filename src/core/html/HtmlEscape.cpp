#include "core/html/HtmlEscape.h"

#include <array>
#include <string_view>

#include "core/common/Encoding.h"

namespace nuvo {
namespace {

struct Entity {
  std::string_view name;
  char value;
};

constexpr std::array<Entity, 9> kEntities{{{"&quot;", '"'},
                                           {"&nbsp;", ' '},
                                           {"&lt;", '<'},
                                           {"&gt;", '>'},
                                           {"&amp;", '&'},
                                           {"&#38;", '&'},
                                           {"&#038;", '&'},
                                           {"&#39;", '\''},
                                           {"&#039;", '\''}}};

}  // namespace

void EscapeHtml(std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t width = CharWidthAt(text, pos);
    if (width == 2) {
      escaped.append(text, pos, 2);
      pos += 2;
      continue;
    }
    switch (text[pos]) {
      case '&':
        escaped += "&amp;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case ' ':
        escaped += "&nbsp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      default:
        escaped += text[pos];
        break;
    }
    ++pos;
  }
  text = std::move(escaped);
}

bool UnescapeHtml(std::string& text, bool keepNbsp) {
  std::string decoded;
  decoded.reserve(text.size());
  bool replaced = false;
  const std::string_view view(text);
  for (std::size_t pos = 0; pos < view.size();) {
    if (view[pos] == '&') {
      const Entity* match = nullptr;
      for (const Entity& entity : kEntities) {
        if (view.substr(pos, entity.name.size()) == entity.name) {
          match = &entity;
          break;
        }
      }
      if (match && !(keepNbsp && match->name == "&nbsp;")) {
        decoded += match->value;
        pos += match->name.size();
        replaced = true;
        continue;
      }
    }
    const std::size_t width = CharWidthAt(view, pos);
    decoded.append(view, pos, width);
    pos += width;
  }
  if (replaced) text = std::move(decoded);
  return replaced;
}

}  // namespace nuvo

#pragma once

#include <string>
#include <string_view>

#include "core/decorate/DecorateEditDoc.h"

// A decorated field of the listing as a plain edit box shows it. The field stores an HTML
// fragment; the box shows its text, with line breaks as "\n" and the markup characters as the
// seller typed them. An edit of that text goes back through the fragment writer: line breaks
// become "<br>", "<" and "&" are escaped, and the decorations of the text around the edit stay.
// A fragment with markup the reader does not understand is edited as it stands, so that nothing
// the seller wrote by hand is dropped. It owns a decorated-text document holding the field.
namespace nuvo {

class CDecoratedFieldText {
 public:
  CDecoratedFieldText() { doc_.SetBaseSize(kEditorBaseSize); }

  // Takes the field's stored fragment.
  void Load(std::string_view fragment);
  // The text the box shows.
  std::string PlainText() const;
  // The fragment to store once the box's text became `text`; the field then holds it.
  std::string Edit(std::string_view text);

 private:
  CDecorateEditDoc doc_;
  std::string raw_;
  bool understood_ = true;
};

}  // namespace nuvo

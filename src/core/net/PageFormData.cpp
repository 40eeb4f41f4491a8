#include "core/net/PageFormData.h"

namespace nuvo {

void FillFormDataFromPage(const CHtmlSubDocument& page, CFormData& form) {
  const HtmlFieldList fields = page.CollectHiddenInputs();
  for (const HtmlField& field : fields) form.SetValue(field.name, field.value);

  auto clearIfDisabled = [&page, &form](const std::string& name) {
    if (!form.IsEmpty(name)) return;
    const CHtmlNode* input = page.Find({"input", "name", name});
    if (input && input->HasAttribute("disabled")) form.ClearValue(name);
  };
  for (std::size_t i = 0; i < form.Fields().size(); ++i) clearIfDisabled(form.Fields().Name(i));
  for (const HtmlField& field : fields) clearIfDisabled(field.name);
}

}  // namespace nuvo

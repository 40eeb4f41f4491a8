#pragma once

#include "core/html/HtmlDocument.h"
#include "core/net/FormData.h"

// The bridge from a fetched page to the form that posts it back.
namespace nuvo {

// Sets each named hidden input of the page's first form (of the whole page when it has none) in
// `form` by name: fields of its fixed list by index, the others among its extra fields. A field
// left empty whose "input" element on the page (the first of that name) is disabled is then
// cleared, so that it is not sent at all.
void FillFormDataFromPage(const CHtmlSubDocument& page, CFormData& form);

}  // namespace nuvo

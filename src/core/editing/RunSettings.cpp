#include "core/editing/RunSettings.h"

#include <cstdio>
#include <cstdlib>

namespace nuvo {

void WriteFormValues(const SellFormValues& values, CFieldSet& fields) {
  for (const auto& [name, value] : values) {
    const int slot = CFieldSet::SlotOf(name);
    if (slot < 0) {
      std::fprintf(stderr, "nuvo: the sell form has no field %s\n", name.c_str());
      std::abort();
    }
    fields.Set(slot, value);
  }
}

CSubmitSettings MakeRunSettings(const CCommonSubmitSettings& common, const CAppOptions& options) {
  CSubmitSettings run;
  run.fields = CFieldSet();
  WriteFormValues(common.FormValues(), run.fields);
  run.easyTrade = common.Form() == ESubmitForm::EasyTrade;
  run.LoadOptions(options);
  return run;
}

}  // namespace nuvo

#pragma once

#include "core/app/AppOptions.h"
#include "core/editing/CommonSubmitSettings.h"
#include "core/submit/FieldSet.h"
#include "core/submit/SubmitSettings.h"

// Hands the seller's common submission settings to a submission run: their sell-form values go
// into the run's field set, and the run's options come from the application options.
namespace nuvo {

// Writes `values` into their slots of `fields`; a name the field set has no slot for is a
// programming error and aborts.
void WriteFormValues(const SellFormValues& values, CFieldSet& fields);

// The run's settings for a listing submitted with `common` and `options`.
CSubmitSettings MakeRunSettings(const CCommonSubmitSettings& common, const CAppOptions& options);

}  // namespace nuvo

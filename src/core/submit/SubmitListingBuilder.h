#pragma once

#include <optional>
#include <string>

#include "core/submit/SubmitRun.h"

// Turns the open listing into what a submission sends: its sell-form values, with the common
// submission settings merged over them, its generated page, its photos and the texts the run's
// messages name. Reads the listing only.
namespace nuvo {

class CNuvoDoc;
struct CPageOptions;

// Nothing when a photo can no longer be read from the listing file it was opened from;
// `unreadablePhoto` then names it.
std::optional<SubmitListing> BuildSubmitListing(const CNuvoDoc& doc,
                                                const CSubmitSettings& settings,
                                                const CPageOptions& pageOptions,
                                                std::string& unreadablePhoto);

// The listing's own sell-form values, before the common settings are merged in.
CFieldSet ListingFields(const CNuvoDoc& doc, const CPageOptions& pageOptions);

}  // namespace nuvo

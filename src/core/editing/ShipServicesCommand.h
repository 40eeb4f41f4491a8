#pragma once

#include <memory>

#include "core/document/EditCommand.h"
#include "core/document/ShipSettings.h"

// Sets everything about the service's own carrier services at once (which are offered, each
// group's settings, the convenience-store prefecture and each group's package size), leaving the
// seller's own shipping methods alone: the shipping services dialog is one undoable step.
namespace nuvo {

// nullptr when `services` changes nothing.
std::unique_ptr<CEditCommand> MakeSetShipServicesCommand(CNuvoDoc& doc,
                                                         const CShipSettings& services);

}  // namespace nuvo

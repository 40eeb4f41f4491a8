#include "core/editing/ShipServicesCommand.h"

#include "core/document/NuvoDoc.h"

namespace nuvo {
namespace {

// `services` with the methods of `methodsFrom`.
CShipSettings WithMethodsOf(CShipSettings services, const CShipSettings& methodsFrom) {
  services.methods = methodsFrom.methods;
  return services;
}

class CSetShipServicesCommand : public CEditCommand {
 public:
  CSetShipServicesCommand(CNuvoDoc& doc, CShipSettings before, CShipSettings after)
      : CEditCommand(doc), before_(std::move(before)), after_(std::move(after)) {}

 protected:
  // The dialog has closed: the shipping page shows the services only once it re-reads them.
  void Apply() override { Show(after_); }
  void Revert() override { Show(before_); }
  void Reapply() override { Show(after_); }

 private:
  void Show(const CShipSettings& services) {
    doc_.SetShipping(WithMethodsOf(services, doc_.GetShipping()));
    NotifyChanged(change::kShipServices);
    SchedulePreview();
  }

  CShipSettings before_;
  CShipSettings after_;
};

}  // namespace

std::unique_ptr<CEditCommand> MakeSetShipServicesCommand(CNuvoDoc& doc,
                                                         const CShipSettings& services) {
  const CShipSettings before = doc.GetShipping();
  CShipSettings after = WithMethodsOf(services, before);
  if (after == before) return nullptr;
  return std::make_unique<CSetShipServicesCommand>(doc, before, std::move(after));
}

}  // namespace nuvo

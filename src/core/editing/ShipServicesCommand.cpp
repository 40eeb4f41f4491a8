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
  CSetShipServicesCommand(CNuvoDoc* doc, IDocumentListener* listener, CShipSettings before,
                          CShipSettings after)
      : CEditCommand(doc, listener), before_(std::move(before)), after_(std::move(after)) {}

  void Execute() override {
    if (doc_) {
      Show(after_);
      MarkModified();
    }
    CEditCommand::Execute();
  }
  void Undo() override {
    if (doc_) Show(before_);
    CEditCommand::Undo();
  }
  void Redo() override {
    if (doc_) Show(after_);
    CEditCommand::Redo();
  }

 private:
  void Show(const CShipSettings& services) {
    doc_->SetShipping(WithMethodsOf(services, doc_->GetShipping()));
    NotifyChanged(change::kShipServices);
    SchedulePreview();
  }

  CShipSettings before_;
  CShipSettings after_;
};

}  // namespace

std::unique_ptr<CEditCommand> MakeSetShipServicesCommand(CNuvoDoc* doc, IDocumentListener* listener,
                                                         const CShipSettings& services) {
  if (!doc) return nullptr;
  const CShipSettings before = doc->GetShipping();
  CShipSettings after = WithMethodsOf(services, before);
  if (after == before) return nullptr;
  return std::make_unique<CSetShipServicesCommand>(doc, listener, before, std::move(after));
}

}  // namespace nuvo

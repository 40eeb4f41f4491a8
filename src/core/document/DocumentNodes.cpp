#include "core/document/DocumentNodes.h"

#include <algorithm>
#include <array>

namespace nuvo {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The document's kinds a template may place by name.
constexpr std::array<ENodeKind, 7> kPlaceableKinds = {
    ENodeKind::Title,  ENodeKind::Photo,         ENodeKind::ChargeOption, ENodeKind::SizeAndWeight,
    ENodeKind::Banner, ENodeKind::InternetImage, ENodeKind::Delimiter};

}  // namespace

std::unique_ptr<CTemplateNode> MakeDocumentNode(ENodeKind kind, std::string_view name) {
  if (kind == ENodeKind::ShipMethodYahooSpecific) return std::make_unique<CShipServiceNode>(name);
  if (kind != ENodeKind::Generic) return nullptr;
  for (ENodeKind own : kPlaceableKinds) {
    if (!SameName(name, KindName(own))) continue;
    switch (own) {
      case ENodeKind::Photo:
        return std::make_unique<CPhotoNode>(name);
      case ENodeKind::ChargeOption:
        return std::make_unique<CChargeOptionNode>(name);
      case ENodeKind::SizeAndWeight:
        return std::make_unique<CSizeAndWeightNode>(name);
      case ENodeKind::InternetImage:
        return std::make_unique<CInternetImageNode>(name);
      default:
        return std::make_unique<CTemplateNode>(own, std::string(name));
    }
  }
  return nullptr;
}

}  // namespace nuvo

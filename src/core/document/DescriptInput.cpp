#include "core/document/DescriptInput.h"

#include <algorithm>

#include "core/app/AppOptions.h"
#include "core/common/Encoding.h"
#include "core/html/BuiltinTemplates.h"
#include "core/html/TemplateParser.h"

namespace nuvo {
namespace {

const CNodeFactory kFactory = MakeDocumentNode;

CTemplateNode* FindFirst(const CTemplateNode* top, ENodeKind kind) {
  return top ? top->GetDescendant(kind, 0) : nullptr;
}

template <typename Node>
Node* FindFirstOf(const CTemplateNode* top, ENodeKind kind) {
  if (!top) return nullptr;
  for (CTemplateNode* node : top->FindDescendants(kind)) {
    if (auto* typed = dynamic_cast<Node*>(node)) return typed;
  }
  return nullptr;
}

std::vector<CTemplateNode*> FindAll(const CTemplateNode& top, ENodeKind kind) {
  return top.FindDescendants(kind);
}

std::unique_ptr<CTemplateNode> Detach(CTemplateNode* node) {
  return node && node->Parent() ? node->Parent()->DetachChild(node) : nullptr;
}

std::string ChildText(const CTemplateNode& node, ENodeKind kind) {
  const CTemplateNode* child = node.FindChild(kind);
  return child ? child->GetText() : std::string();
}

void SetChildText(CTemplateNode& node, ENodeKind kind, std::string_view text) {
  CTemplateNode* child = node.FindChild(kind);
  if (!child) child = node.AddChild(std::make_unique<CTemplateNode>(kind));
  child->SetText(text);
}

// A list section made from nothing, for a tree whose template has none of that kind.
std::unique_ptr<CTemplateNode> MakeListSection(ENodeKind kind) {
  auto node = std::make_unique<CTemplateNode>(kind);
  node->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Item));
  if (kind == ENodeKind::Post || kind == ENodeKind::Pay) {
    static const std::string separator = Cp932("：");
    node->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Is))->SetText(separator);
    node->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Detail));
  }
  return node;
}

std::unique_ptr<CTemplateNode> ParseFile(const std::filesystem::path& path) {
  auto root = std::make_unique<CTemplateNode>(ENodeKind::Root);
  return ParseTemplateFile(root.get(), path, kFactory) ? std::move(root) : nullptr;
}

std::unique_ptr<CTemplateNode> ParseResource(int id) {
  auto root = std::make_unique<CTemplateNode>(ENodeKind::Root);
  return ParseTemplateResource(root.get(), id, kHtmlResourceType, kFactory) ? std::move(root)
                                                                            : nullptr;
}

// A template has no photos or internet images of its own; sections of those kinds in it would
// stand for content the listing does not have.
void RemoveContentNodes(CTemplateNode& root) {
  for (ENodeKind kind : {ENodeKind::Photo, ENodeKind::InternetImage}) {
    for (CTemplateNode* node : FindAll(root, kind)) Detach(node);
  }
}

// The rows of the general shipping block become method rows: the row keeps its template
// children and gains a method.
void ConvertShipRows(CTemplateNode& section) {
  for (std::size_t i = 0; i < section.ChildCount(); ++i) {
    CTemplateNode* child = section.ChildAt(i);
    if (child->Kind() != ENodeKind::Block || child->ListMode() != kShipMethodListMode ||
        dynamic_cast<CShipMethodRow*>(child)) {
      continue;
    }
    auto row = std::make_unique<CShipMethodRow>(child->Name());
    row->SetListMode(kShipMethodListMode);
    while (child->ChildCount() > 0) row->AddChild(child->DetachChild(child->ChildAt(0)));
    section.ReplaceChild(child, std::move(row));
  }
}

std::unique_ptr<CShipMethodRow> MakeBareShipRow() {
  auto row = std::make_unique<CShipMethodRow>();
  row->SetListMode(kShipMethodListMode);
  row->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Item));
  row->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Detail))
      ->SetListMode(kShipMethodListMode);
  return row;
}

// The first section of `kind` in a built-in template, taken out of it.
std::unique_ptr<CTemplateNode> BuiltinSection(int resourceId, ENodeKind kind) {
  auto root = ParseResource(resourceId);
  return root ? Detach(FindFirst(root.get(), kind)) : nullptr;
}

}  // namespace

struct CDescriptInput::Content {
  std::string title;
  std::vector<CPhotoEntry> photos;
  CChargeOptions chargeOptions;
  std::vector<std::string> descriptions;
  std::vector<CItemPair> posts;
  std::vector<CItemPair> pays;
  std::vector<std::string> others;
  CShipSettings shipping;
  CSizeWeight sizeWeight;
};

CDescriptInput::CDescriptInput() : root_(std::make_unique<CTemplateNode>(ENodeKind::Root)) {}

bool CDescriptInput::LoadTemplateFile(const std::filesystem::path& path) {
  auto root = ParseFile(path);
  if (!root) return false;
  Adopt(std::move(root));
  return true;
}

bool CDescriptInput::LoadTemplateResource(int resourceId) {
  auto root = ParseResource(resourceId);
  if (!root) return false;
  Adopt(std::move(root));
  return true;
}

void CDescriptInput::Adopt(std::unique_ptr<CTemplateNode> root) {
  RemoveContentNodes(*root);
  root_ = std::move(root);
  EnsureDocumentNodes();
  SetShipping(CShipSettings());
}

bool CDescriptInput::ReloadTemplateFile(const std::filesystem::path& path) {
  auto fresh = ParseFile(path);
  if (!fresh) return false;
  RemoveContentNodes(*fresh);
  Content content = TakeContent();
  bool headerPlaced = false;
  bool footerPlaced = false;
  if (auto header = Detach(Header())) {
    if (CTemplateNode* place = FindFirst(fresh.get(), ENodeKind::Header)) {
      place->Parent()->ReplaceChild(place, std::move(header));
      headerPlaced = true;
    }
  }
  if (auto footer = Detach(Footer())) {
    if (CTemplateNode* place = FindFirst(fresh.get(), ENodeKind::Footer)) {
      place->Parent()->ReplaceChild(place, std::move(footer));
      footerPlaced = true;
    }
  }
  root_ = std::move(fresh);
  EnsureDocumentNodes();
  ApplyContent(content, !headerPlaced, !footerPlaced);
  return true;
}

void CDescriptInput::EnsureDocumentNodes() {
  CTemplateNode* header = Header();
  if (!header) header = root_->InsertChild(0, std::make_unique<CTemplateNode>(ENodeKind::Header));
  CTemplateNode* footer = Footer();
  if (!footer) footer = root_->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Footer));

  if (!FindFirst(header, ENodeKind::ChargeOption)) {
    header->AddChild(std::make_unique<CChargeOptionNode>());
  }
  if (!FindFirst(header, ENodeKind::Delimiter)) {
    header->AddChild(std::make_unique<CTemplateNode>(ENodeKind::Delimiter));
  }
  // The shipping blocks and the package size open the footer, before its closing markup.
  std::size_t at = 0;
  if (!FindFirst(footer, ENodeKind::ShipMethodGeneral)) {
    if (auto block = BuiltinSection(kTemplateShipGeneral, ENodeKind::ShipMethodGeneral)) {
      footer->InsertChild(at++, std::move(block));
    }
  }
  if (!FindFirstOf<CShipServiceNode>(footer, ENodeKind::ShipMethodYahooSpecific)) {
    if (auto block =
            BuiltinSection(kTemplateShipYahooSpecific, ENodeKind::ShipMethodYahooSpecific)) {
      footer->InsertChild(at++, std::move(block));
    }
  }
  if (!FindFirstOf<CSizeAndWeightNode>(footer, ENodeKind::SizeAndWeight)) {
    footer->InsertChild(at, std::make_unique<CSizeAndWeightNode>());
  }
  // One section for each common banner the seller may set up, after the package size; the page
  // shows the i-th banner in the i-th section.
  if (!FindFirst(footer, ENodeKind::Banner)) {
    const CTemplateNode* size = footer->FindChild(ENodeKind::SizeAndWeight);
    std::size_t place = size ? footer->IndexOf(size) + 1 : footer->ChildCount();
    for (int i = 0; i < CAppOptions::kMaxBanners; ++i) {
      footer->InsertChild(place++, std::make_unique<CTemplateNode>(ENodeKind::Banner));
    }
  }
  for (CTemplateNode* section : FindAll(*root_, ENodeKind::ShipMethodGeneral)) {
    ConvertShipRows(*section);
  }
}

CDescriptInput::Content CDescriptInput::TakeContent() const {
  return {GetTitle(),
          GetPhotos(),
          GetChargeOptions(),
          GetTexts(ENodeKind::Description),
          GetPairs(ENodeKind::Post),
          GetPairs(ENodeKind::Pay),
          GetTexts(ENodeKind::Other),
          GetShipping(),
          GetSizeWeight()};
}

void CDescriptInput::ApplyContent(const Content& content, bool header, bool footer) {
  if (header) {
    SetTitle(content.title);
    SetPhotos(content.photos);
    SetChargeOptions(content.chargeOptions);
  }
  SetTexts(ENodeKind::Description, content.descriptions);
  SetPairs(ENodeKind::Post, content.posts);
  SetPairs(ENodeKind::Pay, content.pays);
  SetTexts(ENodeKind::Other, content.others);
  if (footer) {
    SetShipping(content.shipping);
    SetSizeWeight(content.sizeWeight);
  }
}

void CDescriptInput::EnsureFrame() {
  if (!Header() || !Footer()) EnsureDocumentNodes();
}

CTemplateNode* CDescriptInput::Header() const { return FindFirst(root_.get(), ENodeKind::Header); }

CTemplateNode* CDescriptInput::Footer() const { return FindFirst(root_.get(), ENodeKind::Footer); }

std::string CDescriptInput::GetTitle() const {
  const CTemplateNode* title = FindFirst(Header(), ENodeKind::Title);
  return title ? title->GetText() : std::string();
}

void CDescriptInput::SetTitle(std::string_view text) {
  EnsureFrame();
  CTemplateNode* title = FindFirst(Header(), ENodeKind::Title);
  if (!title) {
    if (text.empty()) return;
    CTemplateNode* header = Header();
    // Before the document's own nodes, so the title leads the header's content.
    std::size_t at = 0;
    while (at < header->ChildCount()) {
      ENodeKind kind = header->ChildAt(at)->Kind();
      if (kind == ENodeKind::ChargeOption || kind == ENodeKind::Delimiter ||
          kind == ENodeKind::InternetImage || kind == ENodeKind::Photo) {
        break;
      }
      ++at;
    }
    title = header->InsertChild(at, std::make_unique<CTemplateNode>(ENodeKind::Title));
  }
  title->SetText(text);
}

std::vector<CPhotoEntry> CDescriptInput::GetPhotos() const {
  std::vector<CPhotoEntry> photos;
  for (CTemplateNode* node : FindAll(*root_, ENodeKind::Photo)) {
    auto* photo = dynamic_cast<CPhotoNode*>(node);
    photos.push_back({ChildText(*node, ENodeKind::Item), photo ? photo->value : PixelSize{},
                      ChildText(*node, ENodeKind::Detail)});
  }
  return photos;
}

void CDescriptInput::SetPhotos(const std::vector<CPhotoEntry>& photos) {
  EnsureFrame();
  for (CTemplateNode* node : FindAll(*root_, ENodeKind::Photo)) Detach(node);
  CTemplateNode* header = Header();
  for (const CPhotoEntry& entry : photos) {
    auto photo = std::make_unique<CPhotoNode>();
    photo->value = entry.size;
    CTemplateNode* added = header->AddChild(std::move(photo));
    SetChildText(*added, ENodeKind::Item, entry.name);
    SetChildText(*added, ENodeKind::Detail, entry.detail);
  }
}

std::vector<const CInternetImageNode*> CDescriptInput::GetInternetImages() const {
  std::vector<const CInternetImageNode*> images;
  for (CTemplateNode* node : FindAll(*root_, ENodeKind::InternetImage)) {
    if (auto* image = dynamic_cast<CInternetImageNode*>(node)) images.push_back(image);
  }
  return images;
}

std::vector<CInternetImageEntry> CDescriptInput::GetInternetImageList() const {
  std::vector<CInternetImageEntry> list;
  for (const CInternetImageNode* node : GetInternetImages()) {
    list.push_back({ChildText(*node, ENodeKind::Item), node->value});
  }
  return list;
}

void CDescriptInput::SetInternetImageList(const std::vector<CInternetImageEntry>& images) {
  EnsureFrame();
  for (CTemplateNode* node : FindAll(*root_, ENodeKind::InternetImage)) Detach(node);
  CTemplateNode* header = Header();
  std::size_t at = header->IndexOf(header->FindChild(ENodeKind::Photo));
  for (const CInternetImageEntry& entry : images) {
    auto node = std::make_unique<CInternetImageNode>();
    node->value = entry.image;
    CTemplateNode* added = header->InsertChild(at++, std::move(node));
    SetChildText(*added, ENodeKind::Item, entry.address);
  }
}

std::vector<std::string> CDescriptInput::GetTexts(ENodeKind kind) const {
  std::vector<std::string> texts;
  for (CTemplateNode* node : FindAll(*root_, kind)) {
    texts.push_back(ChildText(*node, ENodeKind::Item));
  }
  return texts;
}

void CDescriptInput::SetTexts(ENodeKind kind, const std::vector<std::string>& texts) {
  auto nodes = ResizeList(kind, texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) SetChildText(*nodes[i], ENodeKind::Item, texts[i]);
}

std::vector<CItemPair> CDescriptInput::GetPairs(ENodeKind kind) const {
  std::vector<CItemPair> pairs;
  for (CTemplateNode* node : FindAll(*root_, kind)) {
    pairs.push_back({ChildText(*node, ENodeKind::Item), ChildText(*node, ENodeKind::Detail)});
  }
  return pairs;
}

void CDescriptInput::SetPairs(ENodeKind kind, const std::vector<CItemPair>& pairs) {
  auto nodes = ResizeList(kind, pairs.size());
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    SetChildText(*nodes[i], ENodeKind::Item, pairs[i].item);
    SetChildText(*nodes[i], ENodeKind::Detail, pairs[i].detail);
  }
}

std::vector<CTemplateNode*> CDescriptInput::ResizeList(ENodeKind kind, std::size_t count) {
  EnsureFrame();
  auto nodes = FindAll(*root_, kind);
  while (nodes.size() > count) {
    Detach(nodes.back());
    nodes.pop_back();
  }
  if (nodes.size() == count) return nodes;
  // The first of a kind the template lacks goes before the footer.
  if (nodes.empty()) {
    CTemplateNode* footer = Footer();
    CTemplateNode* parent = footer ? footer->Parent() : root_.get();
    std::size_t at = footer ? parent->IndexOf(footer) : parent->ChildCount();
    nodes.push_back(parent->InsertChild(at, MakeListSection(kind)));
  }
  // New entries copy the layout of the last one and follow it, all placed at once.
  CTemplateNode* last = nodes.back();
  std::vector<std::unique_ptr<CTemplateNode>> copies;
  copies.reserve(count - nodes.size());
  while (nodes.size() < count) {
    copies.push_back(last->Clone());
    copies.back()->Enable(true);
    nodes.push_back(copies.back().get());
  }
  CTemplateNode* parent = last->Parent();
  parent->InsertChildren(parent->IndexOf(last) + 1, std::move(copies));
  return nodes;
}

CChargeOptions CDescriptInput::GetChargeOptions() const {
  auto* node = FindFirstOf<CChargeOptionNode>(root_.get(), ENodeKind::ChargeOption);
  return node ? node->value : CChargeOptions();
}

void CDescriptInput::SetChargeOptions(const CChargeOptions& options) {
  EnsureFrame();
  auto* node = FindFirstOf<CChargeOptionNode>(root_.get(), ENodeKind::ChargeOption);
  if (!node) {
    node =
        static_cast<CChargeOptionNode*>(Header()->AddChild(std::make_unique<CChargeOptionNode>()));
  }
  node->value = options;
}

CShipSettings CDescriptInput::GetShipping() const {
  auto* services = FindFirstOf<CShipServiceNode>(root_.get(), ENodeKind::ShipMethodYahooSpecific);
  CShipSettings shipping = services ? services->value : CShipSettings();
  shipping.methods.clear();
  if (CTemplateNode* section = FindFirst(root_.get(), ENodeKind::ShipMethodGeneral)) {
    for (const auto& child : section->Children()) {
      auto* row = dynamic_cast<const CShipMethodRow*>(child.get());
      if (row && row->IsEnabled()) shipping.methods.push_back(row->value);
    }
  }
  return shipping;
}

void CDescriptInput::SetShipping(const CShipSettings& shipping) {
  EnsureFrame();
  auto* services = FindFirstOf<CShipServiceNode>(root_.get(), ENodeKind::ShipMethodYahooSpecific);
  if (!services) {
    services = static_cast<CShipServiceNode*>(
        Footer()->InsertChild(0, std::make_unique<CShipServiceNode>()));
  }
  services->value = shipping;
  services->value.methods.clear();
  services->Enable(shipping.GetServiceFlags() != 0);

  CTemplateNode* section = FindFirst(root_.get(), ENodeKind::ShipMethodGeneral);
  if (!section) {
    section =
        Footer()->InsertChild(0, std::make_unique<CTemplateNode>(ENodeKind::ShipMethodGeneral));
  }
  std::vector<CShipMethodRow*> rows;
  for (const auto& child : section->Children()) {
    if (auto* row = dynamic_cast<CShipMethodRow*>(child.get())) rows.push_back(row);
  }
  if (rows.empty())
    rows.push_back(static_cast<CShipMethodRow*>(section->AddChild(MakeBareShipRow())));
  // Without methods the first row stays, switched off, as the layout for the next ones.
  std::size_t keep = std::max<std::size_t>(shipping.methods.size(), 1);
  while (rows.size() > keep) {
    Detach(rows.back());
    rows.pop_back();
  }
  while (rows.size() < keep) {
    auto copy = rows.back()->Clone();
    rows.push_back(static_cast<CShipMethodRow*>(
        section->InsertChild(section->IndexOf(rows.back()) + 1, std::move(copy))));
  }
  for (std::size_t i = 0; i < rows.size(); ++i) {
    bool used = i < shipping.methods.size();
    rows[i]->Enable(true);
    rows[i]->value = used ? shipping.methods[i] : CShipMethod();
    rows[i]->SetItemText(rows[i]->value.name);
    rows[i]->Enable(used);
  }
  section->Enable(!shipping.methods.empty());
}

CSizeWeight CDescriptInput::GetSizeWeight() const {
  auto* node = FindFirstOf<CSizeAndWeightNode>(root_.get(), ENodeKind::SizeAndWeight);
  return node ? node->value : CSizeWeight();
}

void CDescriptInput::SetSizeWeight(const CSizeWeight& sizeWeight) {
  EnsureFrame();
  auto* node = FindFirstOf<CSizeAndWeightNode>(root_.get(), ENodeKind::SizeAndWeight);
  if (!node) {
    node = static_cast<CSizeAndWeightNode*>(
        Footer()->AddChild(std::make_unique<CSizeAndWeightNode>()));
  }
  node->value = sizeWeight;
}

}  // namespace nuvo

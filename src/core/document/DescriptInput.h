#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/ChargeOptions.h"
#include "core/document/DocumentNodes.h"
#include "core/document/PixelSize.h"
#include "core/document/ShipSettings.h"
#include "core/document/SizeWeight.h"
#include "core/html/TemplateNode.h"

// The description of one input type: a template tree with the listing's content in its
// sections. It owns the tree; the document keeps one per input type and reads and writes the
// listing's parts through it. Every tree it builds holds the document's own nodes: a Header with
// the paid options and a delimiter, and a Footer with the two shipping blocks and the package
// size.
namespace nuvo {

struct CItemPair {
  std::string item;
  std::string detail;
  friend bool operator==(const CItemPair&, const CItemPair&) = default;
};

struct CPhotoEntry {
  std::string name;
  PixelSize size;
  std::string detail;
  friend bool operator==(const CPhotoEntry&, const CPhotoEntry&) = default;
};

// An internet image as the listing hands it out: its image address and the rest of its record.
struct CInternetImageEntry {
  std::string address;
  CInternetImage image;
  friend bool operator==(const CInternetImageEntry&, const CInternetImageEntry&) = default;
};

class CDescriptInput {
 public:
  CDescriptInput();

  CTemplateNode& Root() { return *root_; }
  const CTemplateNode& Root() const { return *root_; }
  bool IsBuilt() const { return root_->ChildCount() > 0; }
  void Clear() { root_->Clear(); }

  // Replace the tree by a template's, with the document's nodes and empty content. False, with
  // the tree untouched, when the template cannot be read.
  bool LoadTemplateFile(const std::filesystem::path& path);
  bool LoadTemplateResource(int resourceId);
  // Replaces the tree by the template at `path` keeping the listing: the old Header and Footer
  // take the places of the new ones, and whatever found no place is written into the new tree.
  bool ReloadTemplateFile(const std::filesystem::path& path);

  // The Title under the Header; setting it adds a Title section when the tree has none.
  std::string GetTitle() const;
  void SetTitle(std::string_view title);
  std::vector<CPhotoEntry> GetPhotos() const;
  void SetPhotos(const std::vector<CPhotoEntry>& photos);
  std::vector<const CInternetImageNode*> GetInternetImages() const;
  // The internet images as values, and the whole list replaced; they stand in the Header
  // before the photos.
  std::vector<CInternetImageEntry> GetInternetImageList() const;
  void SetInternetImageList(const std::vector<CInternetImageEntry>& images);

  // The Item texts of the Description or Other sections, in tree order.
  std::vector<std::string> GetTexts(ENodeKind kind) const;
  void SetTexts(ENodeKind kind, const std::vector<std::string>& texts);
  // The Item and Detail texts of the Post or Pay sections.
  std::vector<CItemPair> GetPairs(ENodeKind kind) const;
  void SetPairs(ENodeKind kind, const std::vector<CItemPair>& pairs);

  CChargeOptions GetChargeOptions() const;
  void SetChargeOptions(const CChargeOptions& options);
  CShipSettings GetShipping() const;
  void SetShipping(const CShipSettings& shipping);
  CSizeWeight GetSizeWeight() const;
  void SetSizeWeight(const CSizeWeight& sizeWeight);

 private:
  struct Content;

  void Adopt(std::unique_ptr<CTemplateNode> root);
  void EnsureDocumentNodes();
  // Writing into a tree that was never built first gives it the document's frame.
  void EnsureFrame();
  Content TakeContent() const;
  void ApplyContent(const Content& content, bool header, bool footer);
  CTemplateNode* Header() const;
  CTemplateNode* Footer() const;
  // Resizes the list of `kind` sections to `count` and returns them in order.
  std::vector<CTemplateNode*> ResizeList(ENodeKind kind, std::size_t count);

  std::unique_ptr<CTemplateNode> root_;
};

}  // namespace nuvo

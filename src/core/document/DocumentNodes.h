#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/document/ChargeOptions.h"
#include "core/document/PixelSize.h"
#include "core/document/ShipSettings.h"
#include "core/document/SizeWeight.h"
#include "core/html/TemplateNode.h"
#include "core/html/TemplateParser.h"

// The listing document's own nodes in a description tree: sections that carry a part of the
// listing as a value besides their children (a photo's pixel size, the paid options, the package
// size, a shipping method, the carrier services), and the factory that gives parsed sections
// these classes.
namespace nuvo {

// An image placed by address. Its image address is the text of the node's Item child.
struct CInternetImage {
  std::string name;
  std::string linkUrl;
  std::string altText;
  PixelSize size;
  std::int32_t border = 0;
  std::string extraText;
  friend bool operator==(const CInternetImage&, const CInternetImage&) = default;
};

// A section of kind `NodeKind` that holds a `Value`; copies carry the value, empty ones the
// default.
template <ENodeKind NodeKind, typename Value>
class CValueNode : public CTemplateNode {
 public:
  CValueNode() : CTemplateNode(NodeKind) {}
  explicit CValueNode(std::string_view name) : CTemplateNode(NodeKind, std::string(name)) {}

  Value value{};

  std::unique_ptr<CTemplateNode> CloneSelf() const override {
    return std::unique_ptr<CTemplateNode>(new CValueNode(*this));
  }
  std::unique_ptr<CTemplateNode> CreateEmpty() const override {
    std::unique_ptr<CValueNode> node(new CValueNode(*this));
    node->value = Value{};
    node->Enable(true);
    return node;
  }

 protected:
  CValueNode(const CValueNode& other) = default;
};

// A photo: its Item is the file name, its Detail the photo text.
using CPhotoNode = CValueNode<ENodeKind::Photo, PixelSize>;
using CChargeOptionNode = CValueNode<ENodeKind::ChargeOption, CChargeOptions>;
using CSizeAndWeightNode = CValueNode<ENodeKind::SizeAndWeight, CSizeWeight>;
using CInternetImageNode = CValueNode<ENodeKind::InternetImage, CInternetImage>;
// One row of the general shipping methods block: a Block in row list mode whose Item is the
// method's name and whose Detail the composer fills from the method.
using CShipMethodRow = CValueNode<ENodeKind::Block, CShipMethod>;
// The service's own shipping block; it holds the carrier service flags, the group settings and
// the group sizes (its method list stays empty: the methods are the rows of the general block).
using CShipServiceNode = CValueNode<ENodeKind::ShipMethodYahooSpecific, CShipSettings>;

// Gives the sections of a parsed template the document's classes: the service's shipping block,
// and the document's own kinds where a template names them ("Title", "Photo", "ChargeOption",
// "SizeAndWeight", "InternetImage", "Banner", "Delimiter", any case).
std::unique_ptr<CTemplateNode> MakeDocumentNode(ENodeKind kind, std::string_view name);

}  // namespace nuvo

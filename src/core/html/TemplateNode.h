#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The description tree of a listing: section nodes parsed from "<!--#name-->" directives of a
// page template, and text nodes holding the template text between them. The listing document
// keeps one tree per description input type; the composer walks it to write the page.
namespace nuvo {

// The kind of a node. The first group are the section names a template may use (KindFromName);
// the second group are the document's own nodes, which it adds to a parsed tree.
enum class ENodeKind {
  Generic,  // a section with a name of no role of its own; it keeps its content
  Header,
  Footer,
  Description,
  Item,
  Detail,
  Is,
  Pay,
  Post,
  Other,
  Unvisible,
  Block,
  ShipMethodGeneral,
  ShipMethodYahooSpecific,
  Caption,
  Align,
  Root,
  Title,
  Photo,
  Text,  // a CTemplateText
  InternetImage,
  Banner,
  ChargeOption,
  SizeAndWeight,
  ShipMethod,
  Delimiter,
  ShipMethodBlock,
};

// The text of a kind ("Header", "ship_method_general", "Root", ...); "" for Generic.
std::string_view KindName(ENodeKind kind);

// The kind a template section called `name` creates, compared without regard to case; Generic
// for any name that has no role (including the names of the document's own kinds).
ENodeKind KindFromName(std::string_view name);

// A block of this list mode is a shipping method row: its Item and Detail hold plain text, and
// its Detail is the row's generated fee column.
inline constexpr int kShipMethodListMode = 1;

// A section of the tree. It owns its children; its parent is a non-owning link set when it is
// added. The document derives its own node classes from it (overriding CloneSelf, CreateEmpty
// and, for shipping rows, ListMode).
class CTemplateNode {
 public:
  explicit CTemplateNode(ENodeKind kind, std::string name = {});
  // Destroys the children without recursion, so any depth of tree is safe to drop.
  virtual ~CTemplateNode();
  CTemplateNode& operator=(const CTemplateNode&) = delete;

  // Text operations. A section forwards them to its first Text child (SetText and InsertText
  // create that child when there is none); a text node acts on its own string. Positions and
  // counts are bytes, clamped to the text and moved back to the start of a two-byte character
  // so that no operation splits one. A disabled node ignores the changing operations; reading
  // still answers, so that saving keeps its content.
  virtual std::string GetText() const;
  virtual void SetText(std::string_view text);
  virtual std::string GetTextPart(std::size_t start, std::size_t count) const;
  virtual void InsertText(std::size_t pos, std::string_view text);
  virtual void DeleteText(std::size_t start, std::size_t count);
  // Sets the text of the first Item child, adding an Item section when there is none.
  virtual void SetItemText(std::string_view text);

  ENodeKind Kind() const { return kind_; }
  // The section name as the template wrote it; the kind's text for nodes made in code.
  std::string_view Name() const;
  CTemplateNode* Parent() const { return parent_; }
  bool IsEnabled() const { return enabled_; }
  void Enable(bool enabled) { enabled_ = enabled; }
  // 0 for an ordinary node; kShipMethodListMode for a shipping method row and its Detail.
  virtual int ListMode() const { return listMode_; }
  void SetListMode(int mode) { listMode_ = mode; }

  // Children in order.
  const std::vector<std::unique_ptr<CTemplateNode>>& Children() const { return children_; }
  std::size_t ChildCount() const { return children_.size(); }
  CTemplateNode* ChildAt(std::size_t index) const;
  // Index of `child` among the children, or ChildCount() when it is not one of them.
  std::size_t IndexOf(const CTemplateNode* child) const;

  // Queries on the direct children.
  CTemplateNode* FindChild(ENodeKind kind) const;
  std::size_t CountChildren(ENodeKind kind) const;
  // The index-th child of `kind` (counting from 0), or nullptr.
  CTemplateNode* GetChild(ENodeKind kind, std::size_t index) const;
  // The same over all descendants, in document order (a node before its children).
  std::size_t CountDescendants(ENodeKind kind) const;
  CTemplateNode* GetDescendant(ENodeKind kind, std::size_t index) const;
  // Every descendant of `kind` in document order, found in one walk.
  std::vector<CTemplateNode*> FindDescendants(ENodeKind kind) const;

  // Child list edits. Add and Insert take ownership and return the added node (index past the
  // end appends). ReplaceChild puts `newChild` in the place of `oldChild` and hands `oldChild`
  // back (drop it to destroy it); when `oldChild` is not a child nothing happens, `newChild`
  // stays with the caller and the result is null. DetachChild hands a child back, or null.
  CTemplateNode* AddChild(std::unique_ptr<CTemplateNode> child);
  CTemplateNode* InsertChild(std::size_t index, std::unique_ptr<CTemplateNode> child);
  // Inserts all of `children` at `index` in their order, in one move of the later siblings.
  void InsertChildren(std::size_t index, std::vector<std::unique_ptr<CTemplateNode>> children);
  std::unique_ptr<CTemplateNode> ReplaceChild(CTemplateNode* oldChild,
                                              std::unique_ptr<CTemplateNode>&& newChild);
  std::unique_ptr<CTemplateNode> DetachChild(CTemplateNode* child);
  // Destroys every child.
  void Clear();

  // A deep copy: each node copied with CloneSelf, children in order; the copy has no parent.
  // Works without recursion.
  std::unique_ptr<CTemplateNode> Clone() const;
  // A copy of this node alone (same class, kind, name, enabled flag, list mode and the
  // class's own data), without children. Derived classes override it.
  virtual std::unique_ptr<CTemplateNode> CloneSelf() const;
  // A new node of the same class, kind, name and list mode, enabled, empty.
  virtual std::unique_ptr<CTemplateNode> CreateEmpty() const;

 protected:
  // Copies the node's own fields, never the children or the parent (for CloneSelf).
  CTemplateNode(const CTemplateNode& other);

 private:
  // The first Text child, or nullptr.
  CTemplateNode* TextChild() const;
  CTemplateNode* EnsureTextChild();

  ENodeKind kind_;
  std::string name_;
  CTemplateNode* parent_ = nullptr;
  bool enabled_ = true;
  int listMode_ = 0;
  std::vector<std::unique_ptr<CTemplateNode>> children_;
};

// Whether text placed directly in `section` is decorated-editor HTML: true for an Item or a
// Detail, unless the nearest Block above it is a shipping method row.
bool HoldsDecoratedText(const CTemplateNode& section);

}  // namespace nuvo

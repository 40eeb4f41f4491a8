#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/AppComm.h"
#include "core/app/SettingsBackend.h"
#include "core/common/UserPrompt.h"
#include "core/document/ArchiveReader.h"
#include "core/document/ArchiveWriter.h"
#include "core/document/ChargeOptions.h"
#include "core/document/CommandHistory.h"
#include "core/document/DescriptInput.h"
#include "core/document/DocumentListener.h"
#include "core/document/ItemCondition.h"
#include "core/document/PhotoData.h"
#include "core/document/ShipSettings.h"
#include "core/document/SizeWeight.h"

// The listing being edited: its scalar fields, its condition (the second base), the photo files
// and one description tree per input type, which also carries the title, the photos' names, the
// paid options, the shipping and the package size. It owns the trees, the photo data and the undo
// history of its edits, and tells its listeners what the edits change. The sample and input type
// last used are read from the settings when it is made and written back when it goes, so the next
// new listing starts with them. Failures are told through the prompt.
namespace nuvo {

class CNuvoDoc : public CItemCondition {
 public:
  static constexpr int kInputTypeCount = 3;
  static constexpr int kTemplateInput = 0;  // "ぬぼ型 + 通常入力"
  static constexpr int kNormalInput = 1;    // "通常入力"
  static constexpr int kHtmlInput = 2;      // "HTML入力"
  static constexpr int kSalesFormatCount = 3;
  static constexpr std::size_t kMaxPhotos = 10;
  static constexpr std::size_t kMaxListItems = 4;  // Post, Pay and Other of the template input
  static constexpr std::size_t kMaxStoredInternetImages = 7;
  // Description entries of one input type a file may bring: far more than a page can use.
  static constexpr std::size_t kMaxDescriptionTexts = 100;
  static constexpr std::uint32_t kFileVersion = 11;
  // No real listing comes near this: ten photos of at most 5 MB and generous text.
  static constexpr std::uintmax_t kMaxFileMegabytes = 64;

  CNuvoDoc(ISettingsBackend& settings, IUserPrompt& prompt);
  ~CNuvoDoc() override;
  CNuvoDoc(const CNuvoDoc&) = delete;
  CNuvoDoc& operator=(const CNuvoDoc&) = delete;

  // Back to an empty listing with the defaults of a new one; the category name stays.
  void DeleteContents();
  // A new listing: defaults, then the starting tree of the current input type.
  bool OnNewDocument();
  // Opens a ".nvd" file. On any failure the message is shown and the open listing stays as it
  // was; on success the warnings the file calls for are shown afterwards. A file larger than
  // kMaxFileMegabytes is refused before anything is allocated for it. The photos stay in the
  // file, which is held open, until something reads them.
  bool OnOpenDocument(const std::filesystem::path& path);
  // Saves as a version-11 file, replacing `path` only once the new file is complete. Photos
  // still in the file they were opened from are copied from it; when that file has been changed
  // behind the program's back they can no longer be, and nothing is written.
  bool OnSaveDocument(const std::filesystem::path& path);
  // Loads the bytes of a listing file as OnOpenDocument does, after its checks of the name.
  bool LoadFromBytes(std::span<const std::uint8_t> bytes);

  // Writes the listing as a version-11 file.
  void Serialize(CArchiveWriter& archive) const;
  // A message a read calls for, shown once the whole file has been read.
  struct PendingMessage {
    int id;
    std::int64_t arg;
  };
  // Reads a listing file of any version from 0 to 11 into this (emptied) document, appending
  // the messages it calls for to `messages`. Throws CArchiveException.
  void Serialize(CArchiveReader& archive, std::vector<PendingMessage>& messages);

  // The version of the file the listing was read from; a new listing's is the current one.
  std::uint32_t GetFileVersion() const { return content_.fileVersion; }

  // Applies an edit and records it in the listing's one undo history.
  void ExecuteCommand(std::unique_ptr<CEditCommand> command) { history_.Add(std::move(command)); }
  CCommandHistory& GetCommandHistory() { return history_; }
  // The Edit menu's undo and redo, whichever pane made the edit.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  void Undo() { history_.Undo(); }
  void Redo() { history_.Redo(); }
  // Those who hear what the edits change: the shell's main frame, a test's recorder.
  CDocumentListeners& Listeners() { return listeners_; }

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }

  std::int64_t GetStartPrice() const { return content_.startPrice; }
  void SetStartPrice(std::int64_t yen) { content_.startPrice = yen; }
  std::int64_t GetBuyNowPrice() const { return content_.buyNowPrice; }
  void SetBuyNowPrice(std::int64_t yen) { content_.buyNowPrice = yen; }
  std::int32_t GetQuantity() const { return content_.quantity; }
  void SetQuantity(std::int32_t quantity) { content_.quantity = quantity; }
  std::int32_t GetCategoryId() const { return content_.categoryId; }
  void SetCategoryId(std::int32_t id) { content_.categoryId = id; }
  const std::string& GetCategoryName() const { return content_.categoryName; }
  void SetCategoryName(std::string name) { content_.categoryName = std::move(name); }
  const std::string& GetMemo() const { return content_.memo; }
  void SetMemo(std::string memo) { content_.memo = std::move(memo); }
  // 0 auction, 1 fixed price, 2 fixed price open to offers; anything else becomes 0.
  std::int32_t GetSalesFormat() const { return content_.salesFormat; }
  void SetSalesFormat(std::int32_t format);
  const CItemCondition& GetCondition() const { return *this; }
  void SetCondition(const CItemCondition& condition) { CItemCondition::operator=(condition); }
  // 0..2; anything else becomes 0. Choosing a type does not build its tree.
  std::int32_t GetDescriptInputType() const { return content_.inputType; }
  void SetDescriptInputType(std::int32_t type);

  std::uint32_t GetSampleID() const { return content_.sampleId; }
  // Chooses the page template of the template input and rebuilds its tree around the listing.
  // A sample that cannot be found shows message 806 and sample 0 is taken instead; false when
  // that fails too.
  bool SetSampleID(std::uint32_t id);
  // The template file of sample `id`: the "Samples" folder, "%04X" of the high 16 bits, and
  // "%04X.htm" of the low 16 bits.
  std::filesystem::path SampleFilePath(std::uint32_t id) const;
  // Builds the starting tree of input type `type`, replacing what it held.
  bool BuildStartingTree(int type);

  // The description of an input type (the current one without an argument).
  CDescriptInput& GetDescriptInput(int type);
  const CDescriptInput& GetDescriptInput(int type) const;
  CDescriptInput& Current() { return GetDescriptInput(content_.inputType); }
  const CDescriptInput& Current() const { return GetDescriptInput(content_.inputType); }

  // Counting and finding the sections of a kind below `under` (the current tree's root when
  // null), in tree order.
  std::size_t CountNodes(ENodeKind kind, const CTemplateNode* under = nullptr) const;
  CTemplateNode* GetNode(ENodeKind kind, std::size_t index,
                         const CTemplateNode* under = nullptr) const;

  // The title is the listing's, whatever the input type: every built tree carries the same one,
  // so switching the input type or saving a file of any type keeps it.
  std::string GetTitle() const { return Current().GetTitle(); }
  void SetTitle(std::string_view title);

  // The other parts of the listing held by the current tree.
  CChargeOptions GetChargeOptions() const { return Current().GetChargeOptions(); }
  void SetChargeOptions(const CChargeOptions& options) { Current().SetChargeOptions(options); }
  CShipSettings GetShipping() const { return Current().GetShipping(); }
  void SetShipping(const CShipSettings& shipping) { Current().SetShipping(shipping); }
  CSizeWeight GetSizeWeight() const { return Current().GetSizeWeight(); }
  void SetSizeWeight(const CSizeWeight& sizeWeight) { Current().SetSizeWeight(sizeWeight); }

  // The photos as parallel lists, in display order, and their files.
  std::vector<std::string> GetPhotoNames() const;
  std::vector<PixelSize> GetPhotoSizes() const;
  std::vector<std::string> GetPhotoDetails() const;
  const std::vector<CPhotoData>& GetPhotoData() const { return content_.photoData; }
  // Replaces every photo; the lists are cut to the shortest of them and to ten.
  std::vector<CInternetImageEntry> GetInternetImages() const {
    return Current().GetInternetImageList();
  }
  void SetInternetImages(const std::vector<CInternetImageEntry>& images) {
    Current().SetInternetImageList(images);
  }
  void SetPhotos(const std::vector<std::string>& names, const std::vector<PixelSize>& sizes,
                 const std::vector<std::string>& details, std::vector<CPhotoData> data);

  // Description texts of the current tree, and the template input's item lists.
  std::vector<std::string> GetDescriptions() const {
    return Current().GetTexts(ENodeKind::Description);
  }
  void SetDescriptions(const std::vector<std::string>& texts) {
    Current().SetTexts(ENodeKind::Description, texts);
  }
  std::vector<CItemPair> GetPostItems() const { return ListTree().GetPairs(ENodeKind::Post); }
  void SetPostItems(const std::vector<CItemPair>& items) {
    ListTree().SetPairs(ENodeKind::Post, items);
  }
  std::vector<CItemPair> GetPayItems() const { return ListTree().GetPairs(ENodeKind::Pay); }
  void SetPayItems(const std::vector<CItemPair>& items) {
    ListTree().SetPairs(ENodeKind::Pay, items);
  }
  std::vector<std::string> GetOtherItems() const { return ListTree().GetTexts(ENodeKind::Other); }
  void SetOtherItems(const std::vector<std::string>& items) {
    ListTree().SetTexts(ENodeKind::Other, items);
  }

 private:
  // Everything a load replaces, in one piece so a finished load can take the place of the
  // listing at once.
  struct Content {
    std::int32_t salesFormat = 0;
    std::array<CDescriptInput, kInputTypeCount> descriptions;
    std::uint32_t sampleId = 0;
    std::int64_t startPrice = 1000;
    std::int64_t buyNowPrice = 0;
    std::int32_t quantity = 1;
    std::int32_t categoryId = 0;
    std::string categoryName;
    std::string memo;
    std::vector<CPhotoData> photoData;
    std::int32_t inputType = 0;
    std::uint32_t fileVersion = kFileVersion;
  };

  // A document for loading into, on the same settings and prompt, that leaves the settings alone.
  struct Scratch {};
  CNuvoDoc(Scratch, const CNuvoDoc& owner);

  CDescriptInput& ListTree() { return content_.descriptions[kTemplateInput]; }
  const CDescriptInput& ListTree() const { return content_.descriptions[kTemplateInput]; }
  // Builds the starting tree of `type` without the listing's title.
  bool BuildBareTree(int type);
  // Builds the template input's tree from sample `id`, falling back to sample 0; `pending`
  // collects message 806 instead of showing it when given.
  bool BuildTemplateTree(std::uint32_t id, std::vector<PendingMessage>* pending);
  // Builds the tree of `type` for a file's content unless it is built already.
  void EnsureTree(int type, std::vector<PendingMessage>& messages);
  void ReadDescriptions(CArchiveReader& archive, std::uint32_t version, int type,
                        std::vector<PendingMessage>& messages);
  // Reads a whole file into a separate document and takes its place only when it was read.
  bool Load(CArchiveReader& archive);
  void TakeContentOf(CNuvoDoc& other);

  ISettingsBackend& settings_;
  IUserPrompt& prompt_;
  bool bindsProfile_;
  Content content_;
  bool modified_ = false;
  CCommandHistory history_;
  CDocumentListeners listeners_;
};

}  // namespace nuvo

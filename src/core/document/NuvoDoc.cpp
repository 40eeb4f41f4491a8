#include "core/document/NuvoDoc.h"

#include "core/app/SamplesFolder.h"
#include "core/common/Encoding.h"
#include "core/common/StringTable.h"
#include "core/html/BuiltinTemplates.h"

namespace nuvo {
namespace {

const std::string kSampleIdKey = "SampleID";
const std::string kInputTypeKey = "DescriptInputType";

std::int32_t ClampInputType(std::int32_t type) {
  return type >= 0 && type < CNuvoDoc::kInputTypeCount ? type : 0;
}

}  // namespace

CNuvoDoc::CNuvoDoc(ISettingsBackend& settings, IUserPrompt& prompt)
    : settings_(settings), prompt_(prompt), bindsProfile_(true) {
  CAppComm comm(settings_);
  content_.sampleId = static_cast<std::uint32_t>(comm.GetSettingsInt(kSampleIdKey, 0));
  content_.inputType = ClampInputType(comm.GetSettingsInt(kInputTypeKey, 0));
}

CNuvoDoc::CNuvoDoc(Scratch, const CNuvoDoc& owner)
    : settings_(owner.settings_), prompt_(owner.prompt_), bindsProfile_(false) {}

CNuvoDoc::~CNuvoDoc() {
  if (!bindsProfile_) return;
  CAppComm comm(settings_);
  comm.WriteSettingsInt(kSampleIdKey, static_cast<int>(content_.sampleId));
  comm.WriteSettingsInt(kInputTypeKey, content_.inputType);
}

void CNuvoDoc::DeleteContents() {
  Content fresh;
  fresh.categoryName = std::move(content_.categoryName);
  fresh.sampleId = content_.sampleId;
  fresh.inputType = content_.inputType;
  content_ = std::move(fresh);
  CItemCondition::operator=(CItemCondition());
  history_.Clear();
}

bool CNuvoDoc::OnNewDocument() {
  DeleteContents();
  BuildStartingTree(content_.inputType);
  modified_ = false;
  return true;
}

void CNuvoDoc::SetSalesFormat(std::int32_t format) {
  content_.salesFormat = format >= 0 && format < kSalesFormatCount ? format : 0;
}

void CNuvoDoc::SetDescriptInputType(std::int32_t type) {
  content_.inputType = ClampInputType(type);
}

std::filesystem::path CNuvoDoc::SampleFilePath(std::uint32_t id) const {
  std::filesystem::path folder = GetSamplesFolder(CAppComm(settings_));
  return folder.empty() ? folder : nuvo::SampleFilePath(folder, id);
}

bool CNuvoDoc::SetSampleID(std::uint32_t id) {
  if (id == content_.sampleId) return true;
  content_.sampleId = id;
  auto reload = [this](std::uint32_t sample) {
    std::filesystem::path path = SampleFilePath(sample);
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error) &&
           ListTree().ReloadTemplateFile(path);
  };
  if (reload(id)) return true;
  ShowMessage(prompt_, IDS_SAMPLE_NOT_FOUND);
  content_.sampleId = 0;
  return id != 0 && reload(0);
}

bool CNuvoDoc::BuildTemplateTree(std::uint32_t id, std::vector<PendingMessage>* pending) {
  auto load = [this](std::uint32_t sample) {
    std::filesystem::path path = SampleFilePath(sample);
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error) &&
           ListTree().LoadTemplateFile(path);
  };
  if (load(id)) return true;
  if (pending) {
    pending->push_back({IDS_SAMPLE_NOT_FOUND, 0});
  } else {
    ShowMessage(prompt_, IDS_SAMPLE_NOT_FOUND);
  }
  content_.sampleId = 0;
  if (id != 0 && load(0)) return true;
  // Without any sample the listing still gets the document's frame to hold its content.
  ListTree() = CDescriptInput();
  ListTree().SetShipping(CShipSettings());
  return false;
}

void CNuvoDoc::SetTitle(std::string_view title) {
  for (int type = 0; type < kInputTypeCount; ++type) {
    CDescriptInput& tree = content_.descriptions[type];
    if (type == content_.inputType || tree.IsBuilt()) tree.SetTitle(title);
  }
}

bool CNuvoDoc::BuildStartingTree(int type) {
  bool built = BuildBareTree(type);
  if (type >= 0 && type < kInputTypeCount && type != content_.inputType &&
      content_.descriptions[type].IsBuilt()) {
    content_.descriptions[type].SetTitle(GetTitle());
  }
  return built;
}

bool CNuvoDoc::BuildBareTree(int type) {
  switch (type) {
    case kTemplateInput:
      return BuildTemplateTree(content_.sampleId, nullptr);
    case kNormalInput: {
      CDescriptInput& tree = content_.descriptions[kNormalInput];
      if (!tree.LoadTemplateResource(kTemplateNormalInput)) return false;
      auto texts = tree.GetTexts(ENodeKind::Description);
      if (!texts.empty()) {
        static const std::string prompt =
            Cp932("（ここに通常入力で、商品の説明文を入力してください）");
        texts.front() = prompt;
        tree.SetTexts(ENodeKind::Description, texts);
      }
      return true;
    }
    case kHtmlInput:
      return content_.descriptions[kHtmlInput].LoadTemplateResource(kTemplateHtmlInput);
    default:
      return false;
  }
}

CDescriptInput& CNuvoDoc::GetDescriptInput(int type) {
  return content_.descriptions[ClampInputType(type)];
}

const CDescriptInput& CNuvoDoc::GetDescriptInput(int type) const {
  return content_.descriptions[ClampInputType(type)];
}

std::size_t CNuvoDoc::CountNodes(ENodeKind kind, const CTemplateNode* under) const {
  return (under ? *under : Current().Root()).CountDescendants(kind);
}

CTemplateNode* CNuvoDoc::GetNode(ENodeKind kind, std::size_t index,
                                 const CTemplateNode* under) const {
  return (under ? *under : Current().Root()).GetDescendant(kind, index);
}

std::vector<std::string> CNuvoDoc::GetPhotoNames() const {
  std::vector<std::string> names;
  for (const auto& photo : Current().GetPhotos()) names.push_back(photo.name);
  return names;
}

std::vector<PixelSize> CNuvoDoc::GetPhotoSizes() const {
  std::vector<PixelSize> sizes;
  for (const auto& photo : Current().GetPhotos()) sizes.push_back(photo.size);
  return sizes;
}

std::vector<std::string> CNuvoDoc::GetPhotoDetails() const {
  std::vector<std::string> details;
  for (const auto& photo : Current().GetPhotos()) details.push_back(photo.detail);
  return details;
}

void CNuvoDoc::SetPhotos(const std::vector<std::string>& names, const std::vector<PixelSize>& sizes,
                         const std::vector<std::string>& details, std::vector<CPhotoData> data) {
  std::size_t count =
      std::min({names.size(), sizes.size(), details.size(), data.size(), kMaxPhotos});
  std::vector<CPhotoEntry> photos;
  for (std::size_t i = 0; i < count; ++i) photos.push_back({names[i], sizes[i], details[i]});
  data.resize(count);
  Current().SetPhotos(photos);
  content_.photoData = std::move(data);
}

void CNuvoDoc::TakeContentOf(CNuvoDoc& other) {
  std::swap(content_, other.content_);
  CItemCondition::operator=(other.GetCondition());
  history_.Clear();
}

}  // namespace nuvo

#include <algorithm>
#include <string_view>

#include "core/common/StringTable.h"
#include "core/decorate/DecorateConverter.h"
#include "core/document/ArchiveException.h"
#include "core/document/ListingRules.h"
#include "core/document/NuvoDoc.h"
#include "core/document/PhotoSize.h"

// The ".nvd" layout: the writer produces version 11; the reader accepts every version from 0 to
// 11 and brings older content up to date on the way in.
namespace nuvo {
namespace {

constexpr std::string_view kSignature = "NuvoDocument";

// Groups of the paid options record.
constexpr std::uint32_t kOptFeatured = 0x01;
constexpr std::uint32_t kOptReservedPair = 0x02;
constexpr std::uint32_t kOptReservePrice = 0x04;
constexpr std::uint32_t kOptFlags = 0x08;
constexpr std::uint32_t kOptIcon = 0x10;
constexpr std::uint32_t kOptCollection = 0x20;
// What current files hold: every group but the reserved pair.
constexpr std::uint32_t kOptionsWritten = 0x3D;

// Fields of an internet image record.
constexpr std::uint32_t kImgName = 0x01;
constexpr std::uint32_t kImgAddress = 0x02;
constexpr std::uint32_t kImgLink = 0x04;
constexpr std::uint32_t kImgAlt = 0x08;
constexpr std::uint32_t kImgSize = 0x10;
constexpr std::uint32_t kImgBorder = 0x20;
constexpr std::uint32_t kImgAlign = 0x40;
constexpr std::uint32_t kImgSpacing = 0x80;
constexpr std::uint32_t kImgExtra = 0x10000;
constexpr std::uint32_t kImagesWritten = 0x1003F;

// Parts of the shipping record, and fields of a shipping method.
constexpr std::uint32_t kShipMethods = 0x01;
constexpr std::uint32_t kShipServices = 0x02;
constexpr std::uint32_t kShipGroupA = 0x04;
constexpr std::uint32_t kShipGroupB = 0x08;
constexpr std::uint32_t kShipGroupC = 0x10;
constexpr std::uint32_t kShipAll = 0x1F;
constexpr std::uint32_t kMethodName = 0x01;
constexpr std::uint32_t kMethodFeeType = 0x02;
constexpr std::uint32_t kMethodFee = 0x04;
constexpr std::uint32_t kMethodRegionalFees = 0x08;
constexpr std::uint32_t kMethodFeeTable = 0x10;
constexpr std::uint32_t kMethodAll = 0x1F;

// The fewest bytes a record with these fields takes, so that a count can be checked against
// what is left of the file before anything is kept for it.
std::size_t ImageRecordBytes(std::uint32_t mask) {
  std::size_t bytes = 0;
  for (std::uint32_t text : {kImgName, kImgAddress, kImgLink, kImgAlt, kImgAlign, kImgExtra}) {
    if (mask & text) bytes += 1;
  }
  if (mask & kImgSize) bytes += 8;
  if (mask & kImgBorder) bytes += 4;
  if (mask & kImgSpacing) bytes += 8;
  return bytes;
}

std::size_t MethodRecordBytes(std::uint32_t mask) {
  return ((mask & kMethodName) ? 1 : 0) + ((mask & kMethodFeeType) ? 4 : 0) +
         ((mask & kMethodFee) ? 8 : 0) + ((mask & kMethodRegionalFees) ? 24 : 0) +
         ((mask & kMethodFeeTable) ? 1 : 0);
}

void WriteOptions(CArchiveWriter& archive, const CChargeOptions& options) {
  archive.WriteI32(options.GetFeaturedAmount());
  archive.WriteI64(options.GetReservePrice());
  archive.WriteU32(options.GetOptionFlags());
  archive.WriteI32(options.GetIconKind());
  archive.WriteI32(options.GetCollectionRate());
}

CChargeOptions ReadOptions(CArchiveReader& archive, std::uint32_t mask) {
  CChargeOptions options;
  if (mask & kOptFeatured) options.SetFeaturedAmount(archive.ReadI32());
  if (mask & kOptReservedPair) {
    archive.ReadU32();
    archive.ReadU32();
  }
  if (mask & kOptReservePrice) options.SetReservePrice(archive.ReadI64());
  if (mask & kOptFlags) options.SetOptionFlags(archive.ReadU32());
  if (mask & kOptIcon) options.SetIconKind(archive.ReadI32());
  if (mask & kOptCollection) options.SetCollectionRate(archive.ReadI32());
  return options;
}

void WriteImage(CArchiveWriter& archive, const CInternetImage& image, std::string_view address) {
  archive.WriteString(image.name);
  archive.WriteString(address);
  archive.WriteString(image.linkUrl);
  archive.WriteString(image.altText);
  archive.WriteSize(image.size);
  archive.WriteI32(image.border);
  archive.WriteString(image.extraText);
}

void SkipImage(CArchiveReader& archive, std::uint32_t mask) {
  for (std::uint32_t bit : {kImgName, kImgAddress, kImgLink, kImgAlt}) {
    if (mask & bit) archive.ReadString();
  }
  if (mask & kImgSize) archive.ReadSize();
  if (mask & kImgBorder) archive.ReadI32();
  if (mask & kImgAlign) archive.ReadString();
  if (mask & kImgSpacing) archive.ReadSize();
  if (mask & kImgExtra) archive.ReadString();
}

void WriteSizeWeight(CArchiveWriter& archive, const CSizeWeight& sizeWeight) {
  archive.WriteI32(sizeWeight.size.amount);
  archive.WriteI32(sizeWeight.size.flag);
  archive.WriteI32(sizeWeight.weight.amount);
  archive.WriteI32(sizeWeight.weight.flag);
}

CSizeWeight ReadSizeWeight(CArchiveReader& archive) {
  CSizeWeight sizeWeight;
  sizeWeight.size.amount = archive.ReadI32();
  sizeWeight.size.flag = archive.ReadI32();
  sizeWeight.weight.amount = archive.ReadI32();
  sizeWeight.weight.flag = archive.ReadI32();
  return sizeWeight;
}

void WriteShipping(CArchiveWriter& archive, const CShipSettings& shipping) {
  archive.WriteU32(static_cast<std::uint32_t>(shipping.methods.size()));
  for (const CShipMethod& method : shipping.methods) {
    archive.WriteString(method.name);
    archive.WriteI32(method.feeType);
    archive.WriteI64(method.fee);
    archive.WriteI64(method.hokkaidoFee);
    archive.WriteI64(method.okinawaFee);
    archive.WriteI64(method.islandsFee);
    archive.WriteString(method.feeTableUrl);
  }
  archive.WriteU32(shipping.GetServiceFlags());
  archive.WriteI32(shipping.GetGroupASetting());
  WriteSizeWeight(archive, shipping.groupASize);
  archive.WriteI32(shipping.GetGroupBSetting());
  archive.WriteI32(shipping.GetGroupBPrefecture());
  WriteSizeWeight(archive, shipping.groupBSize);
  archive.WriteI32(shipping.GetGroupCSetting());
  WriteSizeWeight(archive, shipping.groupCSize);
}

// Reads the parts of `listMask` and the method fields of `methodMask`. A fee type is kept as
// stored; the caller brings older ones up to date.
CShipSettings ReadShipping(CArchiveReader& archive, std::uint32_t listMask,
                           std::uint32_t methodMask) {
  CShipSettings shipping;
  if (listMask & kShipMethods) {
    std::uint32_t count = archive.ReadCount(MethodRecordBytes(methodMask));
    shipping.methods.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      CShipMethod method;
      if (methodMask & kMethodName) method.name = archive.ReadString();
      if (methodMask & kMethodFeeType) method.feeType = archive.ReadI32();
      if (methodMask & kMethodFee) method.fee = archive.ReadI64();
      if (methodMask & kMethodRegionalFees) {
        method.hokkaidoFee = archive.ReadI64();
        method.okinawaFee = archive.ReadI64();
        method.islandsFee = archive.ReadI64();
      }
      if (methodMask & kMethodFeeTable) method.feeTableUrl = archive.ReadString();
      shipping.methods.push_back(std::move(method));
    }
  }
  if (listMask & kShipServices) shipping.SetServiceFlags(archive.ReadU32());
  if (listMask & kShipGroupA) {
    shipping.SetGroupASetting(archive.ReadI32());
    shipping.groupASize = ReadSizeWeight(archive);
  }
  if (listMask & kShipGroupB) {
    shipping.SetGroupBSetting(archive.ReadI32());
    shipping.SetGroupBPrefecture(archive.ReadI32());
    shipping.groupBSize = ReadSizeWeight(archive);
  }
  if (listMask & kShipGroupC) {
    shipping.SetGroupCSetting(archive.ReadI32());
    shipping.groupCSize = ReadSizeWeight(archive);
  }
  return shipping;
}

std::vector<std::string> ReadStrings(CArchiveReader& archive) {
  std::uint32_t count = archive.ReadCount(1);
  std::vector<std::string> texts;
  texts.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) texts.push_back(archive.ReadString());
  return texts;
}

std::vector<CItemPair> ReadPairs(CArchiveReader& archive) {
  std::uint32_t count = archive.ReadCount(2);
  std::vector<CItemPair> pairs;
  pairs.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    CItemPair pair;
    pair.item = archive.ReadString();
    pair.detail = archive.ReadString();
    pairs.push_back(std::move(pair));
  }
  return pairs;
}

void WriteStrings(CArchiveWriter& archive, const std::vector<std::string>& texts) {
  archive.WriteU32(static_cast<std::uint32_t>(texts.size()));
  for (const auto& text : texts) archive.WriteString(text);
}

void WritePairs(CArchiveWriter& archive, const std::vector<CItemPair>& pairs) {
  archive.WriteU32(static_cast<std::uint32_t>(pairs.size()));
  for (const auto& pair : pairs) {
    archive.WriteString(pair.item);
    archive.WriteString(pair.detail);
  }
}

}  // namespace

void CNuvoDoc::Serialize(CArchiveWriter& archive) const {
  archive.WriteString(kSignature);
  archive.WriteU32(kFileVersion);
  archive.WriteI64(content_.startPrice);
  archive.WriteI64(content_.buyNowPrice);
  archive.WriteU32(static_cast<std::uint32_t>(content_.quantity));
  archive.WriteI32(GetKind());
  archive.WriteString(GetRemark());
  archive.WriteI32(content_.categoryId);
  archive.WriteString(content_.categoryName);
  archive.WriteString(content_.memo);
  archive.WriteU32(0);
  archive.WriteI32(content_.salesFormat);
  CChargeOptions options = GetChargeOptions();
  archive.WriteU32(options.IsSet() ? 1 : 0);
  if (options.IsSet()) WriteOptions(archive, options);
  archive.WriteU32(content_.sampleId);
  archive.WriteI32(content_.inputType);
  archive.WriteString(GetTitle());

  auto photos = Current().GetPhotos();
  archive.WriteU32(static_cast<std::uint32_t>(photos.size()));
  for (std::size_t i = 0; i < photos.size(); ++i) {
    archive.WriteString(photos[i].name);
    archive.WriteSize(photos[i].size);
    archive.WriteString(photos[i].detail);
    static const CPhotoData none;
    const CPhotoData& data = i < content_.photoData.size() ? content_.photoData[i] : none;
    archive.WriteU32(static_cast<std::uint32_t>(data.Size()));
    archive.WritePhotoData(data);
  }

  auto images = Current().GetInternetImages();
  archive.WriteU32(static_cast<std::uint32_t>(images.size()));
  for (std::size_t i = 0; i < images.size(); ++i) {
    // Only the first seven images keep their content; the rest keep their place.
    if (i < kMaxStoredInternetImages) {
      WriteImage(archive, images[i]->value,
                 images[i]->FindChild(ENodeKind::Item)
                     ? images[i]->FindChild(ENodeKind::Item)->GetText()
                     : std::string());
    } else {
      WriteImage(archive, CInternetImage(), {});
    }
  }

  for (int type = 0; type < kInputTypeCount; ++type) {
    const CDescriptInput& tree = content_.descriptions[type];
    WriteStrings(archive, tree.GetTexts(ENodeKind::Description));
    if (type == kTemplateInput) {
      WritePairs(archive, tree.GetPairs(ENodeKind::Post));
      WritePairs(archive, tree.GetPairs(ENodeKind::Pay));
      WriteStrings(archive, tree.GetTexts(ENodeKind::Other));
    }
  }
  WriteShipping(archive, GetShipping());
  WriteSizeWeight(archive, GetSizeWeight());
}

void CNuvoDoc::Serialize(CArchiveReader& archive, std::vector<PendingMessage>& messages) {
  if (archive.ReadString() != kSignature) throw CArchiveException(kArchiveBadSignature);
  const std::uint32_t version = archive.ReadU32();
  if (version > kFileVersion) throw CArchiveException(kArchiveBadVersion);
  content_.fileVersion = version;

  // Values no edit could have made are brought into their ranges here, once, and said so.
  bool fitted = false;
  auto fit = [&fitted](ValueRange range, std::int64_t value) {
    const std::int64_t inside = range.Clamp(value);
    fitted = fitted || inside != value;
    return inside;
  };
  content_.startPrice = fit(kPriceRange, archive.ReadI64());
  content_.buyNowPrice = fit(kPriceRange, archive.ReadI64());
  content_.quantity = static_cast<std::int32_t>(fit(kQuantityRange, archive.ReadU32()));
  if (version >= 3) {
    SetKind(archive.ReadI32());
    SetRemark(archive.ReadString());
  }
  content_.categoryId = archive.ReadI32();
  content_.categoryName = archive.ReadString();
  if (version >= 11) content_.memo = archive.ReadString();
  bool oldFixedPrice = false;
  if (version >= 4) oldFixedPrice = (archive.ReadU32() & 1) != 0;
  if (version >= 6) {
    SetSalesFormat(archive.ReadI32());
  } else if (content_.startPrice > 0 && content_.startPrice == content_.buyNowPrice) {
    content_.salesFormat = oldFixedPrice ? 2 : 1;
  } else {
    content_.salesFormat = 0;
  }

  CChargeOptions options;
  bool hasOptions = version < 9 || archive.ReadU32() != 0;
  if (hasOptions) {
    options = ReadOptions(archive, version < 3 ? 0x1F : version < 9 ? 0x1D : kOptionsWritten);
  }

  content_.sampleId = archive.ReadU32();
  content_.inputType = 0;
  if (version >= 8) SetDescriptInputType(archive.ReadI32());
  EnsureTree(content_.inputType, messages);
  const CleanedTitle title = CleanTitle(archive.ReadString());
  fitted = fitted || title.MessageId() != 0;
  SetTitle(title.text);

  bool detailDropped = false;
  std::uint32_t photoCount = archive.ReadCount(version >= 3 ? 14 : 13);
  std::vector<CPhotoEntry> photos;
  std::vector<CPhotoData> data;
  for (std::uint32_t i = 0; i < photoCount; ++i) {
    CPhotoEntry photo;
    photo.name = archive.ReadString();
    photo.size = archive.ReadSize();
    if (version >= 3 && !archive.ReadString().empty()) detailDropped = true;
    CPhotoData bytes = archive.ReadPhotoData(archive.ReadU32());
    if (photo.size.width == 0 || photo.size.height == 0) {
      // Only old files lack the size, so reading their photos once here costs little.
      auto read = bytes.Read();
      if (!read) throw CArchiveException(kArchiveEndOfFile);
      photo.size = PhotoPixelSize(photo.name, *read);
    }
    if (photos.size() < kMaxPhotos) {
      photos.push_back(std::move(photo));
      data.push_back(std::move(bytes));
    }
  }
  Current().SetPhotos(photos);
  content_.photoData = std::move(data);

  bool imagesDropped = false;
  if (version >= 2) {
    std::uint32_t mask = version < 3 ? 0x3F : kImagesWritten;
    std::uint32_t count = archive.ReadCount(ImageRecordBytes(mask));
    for (std::uint32_t i = 0; i < count; ++i) SkipImage(archive, mask);
    imagesDropped = count > 0;
  }

  for (int type = 0; type < kInputTypeCount; ++type) {
    if (type > 0 && version < 8) break;
    ReadDescriptions(archive, version, type, messages);
  }

  CShipSettings shipping;
  if (version >= 11) {
    shipping = ReadShipping(archive, kShipAll, kMethodAll);
  } else if (version >= 9) {
    shipping = ReadShipping(archive, kShipMethods, kMethodAll);
  } else if (version == 8) {
    shipping = ReadShipping(archive, kShipMethods, 0x17);
    for (CShipMethod& method : shipping.methods) {
      // Version 8 knew two fee types: 0 flat fee and 1 fee table.
      method.feeType = method.feeType == 0   ? CShipMethod::kFlatFee
                       : method.feeType == 1 ? CShipMethod::kFeeTable
                                             : CShipMethod::kNotShown;
    }
  } else if (version >= 4) {
    shipping = ReadShipping(archive, kShipMethods, 0x15);
    for (CShipMethod& method : shipping.methods) method.feeType = method.FeeTypeFromContent();
  }
  for (CShipMethod& method : shipping.methods) method.SetFeeType(method.feeType);
  SetShipping(shipping);
  if (version >= 4) SetSizeWeight(ReadSizeWeight(archive));
  SetChargeOptions(options);

  if (detailDropped) messages.push_back({IDS_PHOTO_COMMENTS_DROPPED, 0});
  if (options.IsSet()) messages.push_back({IDS_FILE_HAS_PAID_OPTIONS, 0});
  if (imagesDropped) messages.push_back({IDS_NET_IMAGES_DROPPED, 0});
  if (fitted) messages.push_back({IDS_VALUES_FITTED, 0});
}

void CNuvoDoc::EnsureTree(int type, std::vector<PendingMessage>& messages) {
  if (content_.descriptions[type].IsBuilt()) return;
  if (type == kTemplateInput) {
    BuildTemplateTree(content_.sampleId, &messages);
  } else {
    BuildStartingTree(type);
  }
}

void CNuvoDoc::ReadDescriptions(CArchiveReader& archive, std::uint32_t version, int type,
                                std::vector<PendingMessage>& messages) {
  std::vector<std::string> texts = ReadStrings(archive);
  if (texts.size() > kMaxDescriptionTexts) {
    // One warning for the file, however many of its input types were cut.
    if (std::ranges::none_of(messages, [](const PendingMessage& message) {
          return message.id == IDS_TOO_MANY_DESCRIPTION_TEXTS;
        })) {
      messages.push_back(
          {IDS_TOO_MANY_DESCRIPTION_TEXTS, static_cast<std::int64_t>(kMaxDescriptionTexts)});
    }
    texts.resize(kMaxDescriptionTexts);
  }
  std::vector<CItemPair> posts;
  std::vector<CItemPair> pays;
  std::vector<std::string> others;
  if (type == kTemplateInput) {
    posts = ReadPairs(archive);
    pays = ReadPairs(archive);
    others = ReadStrings(archive);
    if (version < 5) {
      // Files before version 5 stored the editor's texts in an older form of its markup; the
      // editor's own reader and writer bring each one to today's form, and leave a text they
      // do not fully understand as it was stored.
      CDecorateConverter converter;
      converter.SetBaseSize(kEditorBaseSize);
      auto upgrade = [&converter](std::string& text) { converter.Normalize(text); };
      for (auto& text : texts) upgrade(text);
      for (auto& pair : posts) {
        upgrade(pair.item);
        upgrade(pair.detail);
      }
      for (auto& pair : pays) {
        upgrade(pair.item);
        upgrade(pair.detail);
      }
      for (auto& text : others) upgrade(text);
    }
  }
  if (texts.empty() && posts.empty() && pays.empty() && others.empty()) return;

  EnsureTree(type, messages);
  CDescriptInput& tree = content_.descriptions[type];
  tree.SetTexts(ENodeKind::Description, texts);
  if (type != kTemplateInput) return;
  if (posts.size() > kMaxListItems || pays.size() > kMaxListItems ||
      others.size() > kMaxListItems) {
    messages.push_back({IDS_TOO_MANY_LIST_ITEMS, static_cast<std::int64_t>(kMaxListItems)});
    posts.resize(std::min(posts.size(), kMaxListItems));
    pays.resize(std::min(pays.size(), kMaxListItems));
    others.resize(std::min(others.size(), kMaxListItems));
  }
  tree.SetPairs(ENodeKind::Post, posts);
  tree.SetPairs(ENodeKind::Pay, pays);
  tree.SetTexts(ENodeKind::Other, others);
}

}  // namespace nuvo

#include <QByteArray>
#include <QCryptographicHash>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "cli/JsonOut.h"
#include "core/common/Encoding.h"
#include "core/document/NuvoDoc.h"

// dump FILE.nvd: opens a listing with the program's reader and prints it as one JSON object
// (UTF-8). Other tools read this output: its fields and their order are fixed.
namespace nuvo::cli {
namespace {

void SizeWeight(CJsonOut& json, const CSizeWeight& sizeWeight) {
  json.Open('{');
  json.Key("size");
  json.Number(sizeWeight.size.amount);
  json.Key("sizeFlag");
  json.Number(sizeWeight.size.flag);
  json.Key("weight");
  json.Number(sizeWeight.weight.amount);
  json.Key("weightFlag");
  json.Number(sizeWeight.weight.flag);
  json.Close('}');
}

void Texts(CJsonOut& json, const std::vector<std::string>& texts) {
  json.Open('[');
  for (const auto& text : texts) json.Text(text);
  json.Close(']');
}

void Pairs(CJsonOut& json, const std::vector<CItemPair>& pairs) {
  json.Open('[');
  for (const auto& pair : pairs) {
    json.Open('[');
    json.Text(pair.item);
    json.Text(pair.detail);
    json.Close(']');
  }
  json.Close(']');
}

void Shipping(CJsonOut& json, const CShipSettings& shipping) {
  json.Open('{');
  json.Key("methods");
  json.Open('[');
  for (const CShipMethod& method : shipping.methods) {
    json.Open('{');
    json.Key("name");
    json.Text(method.name);
    json.Key("feeType");
    json.Number(method.feeType);
    json.Key("fee");
    json.Number(method.fee);
    json.Key("hokkaido");
    json.Number(method.hokkaidoFee);
    json.Key("okinawa");
    json.Number(method.okinawaFee);
    json.Key("islands");
    json.Number(method.islandsFee);
    json.Key("feeTableUrl");
    json.Text(method.feeTableUrl);
    json.Close('}');
  }
  json.Close(']');
  json.Key("serviceFlags");
  json.Unsigned(shipping.GetServiceFlags());
  json.Key("groupA");
  json.Open('{');
  json.Key("setting");
  json.Number(shipping.GetGroupASetting());
  json.Key("sizeWeight");
  SizeWeight(json, shipping.groupASize);
  json.Close('}');
  json.Key("groupB");
  json.Open('{');
  json.Key("setting");
  json.Number(shipping.GetGroupBSetting());
  json.Key("prefecture");
  json.Number(shipping.GetGroupBPrefecture());
  json.Key("sizeWeight");
  SizeWeight(json, shipping.groupBSize);
  json.Close('}');
  json.Key("groupC");
  json.Open('{');
  json.Key("setting");
  json.Number(shipping.GetGroupCSetting());
  json.Key("sizeWeight");
  SizeWeight(json, shipping.groupCSize);
  json.Close('}');
  json.Close('}');
}

std::string Sha256Hex(const std::vector<std::uint8_t>& data) {
  QByteArray digest =
      QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(data.data()),
                                              static_cast<qsizetype>(data.size())),
                               QCryptographicHash::Sha256);
  return digest.toHex().toStdString();
}

std::string Dump(const CNuvoDoc& doc, const std::vector<std::string>& warnings) {
  CJsonOut json;
  json.Open('{');
  json.Key("version");
  json.Unsigned(doc.GetFileVersion());
  json.Key("startPrice");
  json.Number(doc.GetStartPrice());
  json.Key("buyNowPrice");
  json.Number(doc.GetBuyNowPrice());
  json.Key("quantity");
  json.Number(doc.GetQuantity());
  json.Key("condition");
  json.Open('{');
  json.Key("kind");
  json.Number(doc.GetKind());
  json.Key("remark");
  json.Text(doc.GetRemark());
  json.Close('}');
  json.Key("categoryId");
  json.Number(doc.GetCategoryId());
  json.Key("categoryName");
  json.Text(doc.GetCategoryName());
  json.Key("memo");
  json.Text(doc.GetMemo());
  json.Key("salesFormat");
  json.Number(doc.GetSalesFormat());
  CChargeOptions options = doc.GetChargeOptions();
  json.Key("paidOptions");
  json.Open('{');
  json.Key("featuredAmount");
  json.Number(options.GetFeaturedAmount());
  json.Key("reservePrice");
  json.Number(options.GetReservePrice());
  json.Key("iconKind");
  json.Number(options.GetIconKind());
  json.Key("optionFlags");
  json.Unsigned(options.GetOptionFlags());
  json.Key("collectionRate");
  json.Number(options.GetCollectionRate());
  json.Close('}');
  json.Key("sampleId");
  json.Unsigned(doc.GetSampleID());
  json.Key("inputType");
  json.Number(doc.GetDescriptInputType());
  json.Key("title");
  json.Text(doc.GetTitle());

  json.Key("photos");
  json.Open('[');
  auto names = doc.GetPhotoNames();
  auto sizes = doc.GetPhotoSizes();
  auto details = doc.GetPhotoDetails();
  const auto& data = doc.GetPhotoData();
  for (std::size_t i = 0; i < names.size(); ++i) {
    static const CPhotoData none;
    const CPhotoData& bytes = i < data.size() ? data[i] : none;
    json.Open('{');
    json.Key("name");
    json.Text(names[i]);
    json.Key("width");
    json.Number(sizes[i].width);
    json.Key("height");
    json.Number(sizes[i].height);
    json.Key("detail");
    json.Text(details[i]);
    json.Key("size");
    json.Unsigned(bytes.Size());
    json.Key("sha256");
    // The listing file may have been changed since it was opened: no digest then.
    if (auto read = bytes.Read()) {
      json.String(Sha256Hex(*read));
    } else {
      json.Null();
    }
    json.Close('}');
  }
  json.Close(']');

  json.Key("descriptions");
  json.Open('[');
  for (int type = 0; type < CNuvoDoc::kInputTypeCount; ++type) {
    Texts(json, doc.GetDescriptInput(type).GetTexts(ENodeKind::Description));
  }
  json.Close(']');
  json.Key("post");
  Pairs(json, doc.GetPostItems());
  json.Key("pay");
  Pairs(json, doc.GetPayItems());
  json.Key("other");
  Texts(json, doc.GetOtherItems());
  json.Key("shipping");
  Shipping(json, doc.GetShipping());
  json.Key("sizeWeight");
  SizeWeight(json, doc.GetSizeWeight());
  json.Key("warnings");
  json.Open('[');
  for (const auto& warning : warnings) json.String(warning);
  json.Close(']');
  json.Close('}');
  return json.Result();
}

}  // namespace

int DumpListing(const GlobalOptions& options, const std::vector<std::string>& args) {
  if (args.size() != 1) return kExitUsage;
  CRunSettings settings(options);
  CRecordingPrompt prompt;
  CNuvoDoc doc(settings, prompt);
  if (!doc.OnOpenDocument(args[0])) {
    prompt.PrintAll();
    return kExitFailed;
  }
  std::string json = Dump(doc, prompt.Messages());
  std::printf("%s\n", json.c_str());
  return kExitOk;
}

}  // namespace nuvo::cli

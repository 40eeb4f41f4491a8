#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/CliDocument.h"
#include "core/app/AppComm.h"
#include "core/app/AppOptions.h"
#include "core/common/Encoding.h"
#include "core/common/MessageIds.h"
#include "core/document/ListingRules.h"
#include "core/document/NuvoDoc.h"
#include "core/editing/PhotoReader.h"
#include "core/editing/RowCommands.h"
#include "core/editing/ValueCommands.h"
#include "gui/app/BundledCategories.h"

// set FILE.nvd [--yes] KEY=VALUE...: edits a saved listing through the same commands the
// program's panes use and saves it in place. Every edit is applied in order; the file is
// written only when all of them succeeded. The grammar is in the README; in short:
//   NAME=VALUE        a field of the listing (title, startPrice, condition, category, ...)
//   LIST+=VALUE       a new row at the end of post, pay, other, photo or ship
//   LIST[i]=VALUE     rewrites row i (0-based); LIST[i].FIELD=VALUE one field of it
//   LIST[i]-          deletes row i; LIST[i]^ and LIST[i]v move it up or down
// Values are UTF-8 and must fit code page 932. A photo goes through every check of the photo
// sheet; its large-file question is answered No unless --yes is given.
namespace nuvo::cli {
namespace {

// A key or value that cannot be applied; the text (UTF-8) says why.
class CSetError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A refusal by the program's own rules, already shown through the prompt.
class CSetRefused : public std::exception {};

struct Assignment {
  enum Op { kSet, kAppend, kRemove, kMoveUp, kMoveDown };
  std::string arg;  // as given, for messages
  std::string name;
  std::optional<std::size_t> index;
  std::string field;
  Op op = kSet;
  std::string value;  // UTF-8
};

[[noreturn]] void Bad(const Assignment& a, const std::string& what) {
  throw CSetError(what + ": " + a.arg);
}

Assignment Parse(const std::string& arg) {
  Assignment a;
  a.arg = arg;
  std::string key;
  std::size_t eq = arg.find('=');
  if (eq != std::string::npos) {
    key = arg.substr(0, eq);
    a.value = arg.substr(eq + 1);
    if (key.ends_with('+')) {
      a.op = Assignment::kAppend;
      key.pop_back();
    }
  } else {
    // Without "=" only a row operation remains: "]" and one of "-", "^", "v".
    key = arg;
    if (key.size() < 2 || key[key.size() - 2] != ']') Bad(a, "「=値」がありません");
    switch (key.back()) {
      case '-':
        a.op = Assignment::kRemove;
        break;
      case '^':
        a.op = Assignment::kMoveUp;
        break;
      case 'v':
        a.op = Assignment::kMoveDown;
        break;
      default:
        Bad(a, "行の操作は - ^ v のどれかです");
    }
    key.pop_back();
  }
  std::size_t pos = 0;
  while (pos < key.size() && std::isalpha(static_cast<unsigned char>(key[pos]))) ++pos;
  a.name = key.substr(0, pos);
  if (a.name.empty()) Bad(a, "キーがありません");
  if (pos < key.size() && key[pos] == '[') {
    std::size_t close = key.find(']', pos);
    std::size_t index = 0;
    const char* first = key.data() + pos + 1;
    const char* last = key.data() + (close == std::string::npos ? pos + 1 : close);
    auto [end, error] = std::from_chars(first, last, index);
    if (close == std::string::npos || error != std::errc() || end != last || first == last) {
      Bad(a, "行番号が正しくありません");
    }
    a.index = index;
    pos = close + 1;
  }
  if (pos < key.size() && key[pos] == '.') {
    a.field = key.substr(pos + 1);
    if (a.field.empty()) Bad(a, "項目名がありません");
    pos = key.size();
  }
  if (pos != key.size()) Bad(a, "キーの書き方が正しくありません");
  if (a.op == Assignment::kAppend && (a.index || !a.field.empty())) {
    Bad(a, "+= は一覧の名前だけに付けます");
  }
  if ((a.op == Assignment::kRemove || a.op == Assignment::kMoveUp ||
       a.op == Assignment::kMoveDown) &&
      (!a.index || !a.field.empty())) {
    Bad(a, "行の操作には行番号が要ります");
  }
  return a;
}

std::string Text(const Assignment& a, const std::string& utf8) {
  std::optional<std::string> text = Cp932FromUtf8(utf8);
  if (!text) Bad(a, "Shift_JIS（コードページ932）で表せない文字が含まれています");
  return *text;
}

std::int64_t Number(const Assignment& a, const std::string& text, std::int64_t low,
                    std::int64_t high) {
  std::int64_t value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last || first == last || value < low || value > high) {
    Bad(a, "数値が正しくないか範囲外です");
  }
  return value;
}

// A fee: yen, or empty or -1 for one not entered.
std::int64_t Fee(const Assignment& a, const std::string& text) {
  if (text.empty()) return CShipMethod::kNotEntered;
  return Number(a, text, -1, INT64_MAX);
}

// Splits "first|second"; without a bar the second part is empty.
std::pair<std::string, std::string> SplitBar(const std::string& value) {
  std::size_t bar = value.find('|');
  if (bar == std::string::npos) return {value, {}};
  return {value.substr(0, bar), value.substr(bar + 1)};
}

// Applies the assignments to one listing.
class CSetEditor {
 public:
  CSetEditor(CNuvoDoc& doc, IUserPrompt& prompt, int optionValue)
      : doc_(doc), prompt_(prompt), photos_(prompt, optionValue) {}

  void Apply(const Assignment& a) {
    if (a.name == "post" || a.name == "pay" || a.name == "other" || a.name == "photo" ||
        a.name == "ship") {
      ApplyRow(a, ListOf(a.name));
    } else if (a.name == "desc") {
      if (!a.index || !a.field.empty() || a.op != Assignment::kSet)
        Bad(a, "desc[i]=文章 の形で指定します");
      Run(a, MakeSetDescriptionCommand(doc_, *a.index, Text(a, a.value)));
    } else {
      if (a.index || !a.field.empty() || a.op != Assignment::kSet)
        Bad(a, "キーの書き方が正しくありません");
      ApplyField(a);
    }
  }

 private:
  static ERowList ListOf(const std::string& name) {
    if (name == "post") return ERowList::Post;
    if (name == "pay") return ERowList::Pay;
    if (name == "other") return ERowList::Other;
    if (name == "photo") return ERowList::Photos;
    return ERowList::ShipMethods;
  }

  // Hands a command to the listing; a command that could not be made names a missing row.
  void Run(const Assignment& a, std::unique_ptr<CEditCommand> command) {
    if (!command) Bad(a, "その行はありません");
    doc_.ExecuteCommand(std::move(command));
  }

  [[noreturn]] void Refuse(int id, std::initializer_list<MessageArg> args = {}) {
    ShowMessage(prompt_, id, args);
    throw CSetRefused();
  }

  // A number of the listing's own range; one outside it is refused with the sheet's message.
  std::int64_t InRange(const Assignment& a, const std::string& text, ValueRange range) {
    const std::int64_t value = Number(a, text, INT64_MIN, INT64_MAX);
    if (!range.Holds(value)) Refuse(IDS_NUMBER_OUT_OF_RANGE, {range.low, range.high});
    return value;
  }

  void ApplyField(const Assignment& a) {
    const std::string& v = a.value;
    if (a.name == "title") {
      const CleanedTitle title = CleanTitle(Text(a, v));
      if (int refusal = title.MessageId()) Refuse(refusal);
      Run(a, MakeSetTitleCommand(doc_, title.text, kNoSelection));
    } else if (a.name == "startPrice") {
      Run(a, MakeSetStartPriceCommand(doc_, InRange(a, v, kPriceRange)));
    } else if (a.name == "buyNowPrice") {
      Run(a, MakeSetBuyNowPriceCommand(doc_, InRange(a, v, kPriceRange)));
    } else if (a.name == "quantity") {
      Run(a,
          MakeSetQuantityCommand(doc_, static_cast<std::int32_t>(InRange(a, v, kQuantityRange))));
    } else if (a.name == "salesFormat") {
      Run(a, MakeSetSalesFormatCommand(doc_, static_cast<std::int32_t>(Number(
                                                 a, v, 0, CNuvoDoc::kSalesFormatCount - 1))));
    } else if (a.name == "condition") {
      auto [kind, remark] = SplitAt(v, ':');
      CItemCondition condition(
          static_cast<std::int32_t>(Number(a, kind, 0, CItemCondition::kKindCount - 1)),
          remark ? Text(a, *remark) : doc_.GetRemark());
      Run(a, MakeSetConditionCommand(doc_, std::move(condition)));
    } else if (a.name == "category") {
      auto [id, name] = SplitAt(v, ':');
      const auto number = static_cast<std::int32_t>(Number(a, id, 0, INT32_MAX));
      // As in the window's category box, a number alone takes its name from the catalogue.
      std::optional<std::string> known =
          name || number == 0
              ? std::nullopt
              : BundledCatalogue().FindCategoryName(static_cast<std::uint32_t>(number));
      CategoryChoice category{number, name    ? Text(a, *name)
                                      : known ? *known
                                              : doc_.GetCategoryName()};
      Run(a, MakeSetCategoryCommand(doc_, std::move(category)));
    } else if (a.name == "memo") {
      Run(a, MakeSetMemoCommand(doc_, Text(a, v)));
    } else if (a.name == "inputType") {
      Run(a, MakeSetInputTypeCommand(
                 doc_, static_cast<std::int32_t>(Number(a, v, 0, CNuvoDoc::kInputTypeCount - 1))));
    } else if (a.name == "sampleId") {
      std::uint32_t id = SampleId(a);
      Run(a, MakeSetSampleIdCommand(doc_, id));
      if (doc_.GetSampleID() != id) throw CSetRefused();
    } else {
      Bad(a, "不明なキーです");
    }
  }

  static std::pair<std::string, std::optional<std::string>> SplitAt(const std::string& v,
                                                                    char mark) {
    std::size_t at = v.find(mark);
    if (at == std::string::npos) return {v, std::nullopt};
    return {v.substr(0, at), v.substr(at + 1)};
  }

  static std::uint32_t SampleId(const Assignment& a) {
    const std::string& v = a.value;
    bool hex = v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X');
    std::uint32_t id = 0;
    const char* first = v.data() + (hex ? 2 : 0);
    const char* last = v.data() + v.size();
    auto [end, error] = std::from_chars(first, last, id, hex ? 16 : 10);
    if (error != std::errc() || end != last || first == last) Bad(a, "数値が正しくありません");
    return id;
  }

  void ApplyRow(const Assignment& a, ERowList list) {
    switch (a.op) {
      case Assignment::kAppend:
        Append(a, list);
        return;
      case Assignment::kRemove:
        Run(a, MakeDeleteRowCommand(doc_, list, *a.index));
        return;
      case Assignment::kMoveUp:
      case Assignment::kMoveDown: {
        auto move = MakeMoveRowCommand(
            doc_, list, *a.index,
            a.op == Assignment::kMoveUp ? EMoveDirection::Up : EMoveDirection::Down);
        if (!move) Bad(a, "その行はそれ以上動かせません");
        doc_.ExecuteCommand(std::move(move));
        return;
      }
      case Assignment::kSet:
        if (!a.index) Bad(a, "行番号が要ります");
        SetRow(a, list, *a.index);
        return;
    }
  }

  void Append(const Assignment& a, ERowList list) {
    if (list == ERowList::Photos) {
      if (!photos_.AddPhoto(doc_, std::filesystem::path(a.value))) throw CSetRefused();
      return;
    }
    std::size_t count = GetRows(doc_, list).size();
    if (list != ERowList::ShipMethods && count >= CNuvoDoc::kMaxListItems) {
      Bad(a, "この一覧には4件までしか入れられません");
    }
    ListRow row = RowFromValue(a, list);
    Run(a, MakeAddRowCommand(doc_, list));
    Run(a, MakeSetRowCommand(doc_, list, count, std::move(row)));
  }

  // The row an append or a whole-row assignment writes.
  ListRow RowFromValue(const Assignment& a, ERowList list) {
    switch (list) {
      case ERowList::Other:
        return Text(a, a.value);
      case ERowList::Pay:
      case ERowList::Post: {
        auto [item, detail] = SplitBar(a.value);
        return CItemPair{Text(a, item), Text(a, detail)};
      }
      case ERowList::ShipMethods: {
        CShipMethod method;
        method.name = Text(a, a.value);
        return method;
      }
      case ERowList::Photos:
        break;
    }
    // A photo is only ever added from its file, removed or moved.
    Bad(a, "写真は photo+=ファイル で追加します");
  }

  void SetRow(const Assignment& a, ERowList list, std::size_t index) {
    // A shipping method is more than one text: its fields are set one by one.
    if (list == ERowList::ShipMethods && a.field.empty()) {
      Bad(a, "配送方法は ship[i].項目=値 の形で書き換えます");
    }
    std::vector<ListRow> rows = GetRows(doc_, list);
    if (index >= rows.size()) Bad(a, "その行はありません");
    ListRow row = rows[index];
    if (a.field.empty()) {
      row = RowFromValue(a, list);
    } else if (auto* pair = std::get_if<CItemPair>(&row)) {
      if (a.field == "item") {
        pair->item = Text(a, a.value);
      } else if (a.field == "detail") {
        pair->detail = Text(a, a.value);
      } else {
        Bad(a, "項目は item か detail です");
      }
    } else if (std::holds_alternative<CShipMethod>(row)) {
      SetShipField(a, index);
      return;
    } else {
      Bad(a, "この一覧の行には項目がありません");  // other items and photos
    }
    Run(a, MakeSetRowCommand(doc_, list, index, std::move(row)));
  }

  void SetShipField(const Assignment& a, std::size_t index) {
    struct Named {
      const char* name;
      EShipRowField field;
    };
    static const Named kFields[] = {
        {"name", EShipRowField::Name},
        {"feeType", EShipRowField::FeeType},
        {"fee", EShipRowField::Fee},
        {"hokkaido", EShipRowField::HokkaidoFee},
        {"okinawa", EShipRowField::OkinawaFee},
        {"islands", EShipRowField::IslandsFee},
        {"url", EShipRowField::FeeTableUrl},
    };
    for (const Named& named : kFields) {
      if (a.field != named.name) continue;
      switch (named.field) {
        case EShipRowField::Name:
        case EShipRowField::FeeTableUrl:
          Run(a, MakeSetShipRowCommand(doc_, index, named.field, Text(a, a.value)));
          return;
        case EShipRowField::FeeType:
          Run(a, MakeSetShipRowCommand(doc_, index, named.field,
                                       Number(a, a.value, 0, CShipMethod::kFeeTypeCount - 1)));
          return;
        default:
          Run(a, MakeSetShipRowCommand(doc_, index, named.field, Fee(a, a.value)));
          return;
      }
    }
    Bad(a, "配送方法の項目は name feeType fee hokkaido okinawa islands url のどれかです");
  }

  CNuvoDoc& doc_;
  IUserPrompt& prompt_;
  CPhotoReader photos_;
};

// The program's questions are answered Yes when the run allows it, else No.
class CSetPrompt : public CRecordingPrompt {
 public:
  explicit CSetPrompt(bool yes) : yes_(yes) {}
  PromptAnswer Ask(const PromptRequest& request) override {
    PromptAnswer answer = CRecordingPrompt::Ask(request);
    return yes_ && request.buttons != PromptButtons::Ok ? PromptAnswer::Yes : answer;
  }

 private:
  bool yes_;
};

}  // namespace

int SetListing(const GlobalOptions& options, const std::vector<std::string>& args) {
  std::string file;
  bool yes = false;
  std::vector<Assignment> edits;
  try {
    for (const std::string& arg : args) {
      if (arg == "--yes") {
        yes = true;
      } else if (file.empty()) {
        file = arg;
      } else {
        edits.push_back(Parse(arg));
      }
    }
  } catch (const CSetError& error) {
    std::fprintf(stderr, "nuvo-cli set: %s\n", error.what());
    return kExitUsage;
  }
  if (file.empty() || edits.empty()) return kExitUsage;

  CRunSettings settings(options);
  CSetPrompt prompt(yes);
  CNuvoDoc doc(settings, prompt);
  if (!doc.OnOpenDocument(file)) {
    prompt.PrintAll();
    return kExitFailed;
  }
  // What opening the file had to say belongs to the file, not to these edits.
  std::size_t opened = prompt.Messages().size();
  CAppOptions appOptions;
  appOptions.Load(CAppComm(settings));
  CSetEditor editor(doc, prompt, appOptions.optionValue);
  try {
    for (const Assignment& edit : edits) editor.Apply(edit);
  } catch (const CSetError& error) {
    std::fprintf(stderr, "nuvo-cli set: %s\n", error.what());
    return kExitUsage;
  } catch (const CSetRefused&) {
    for (std::size_t i = opened; i < prompt.Messages().size(); ++i) {
      std::fprintf(stderr, "%s\n", prompt.Messages()[i].c_str());
    }
    return kExitFailed;
  }
  if (!doc.OnSaveDocument(file)) {
    prompt.PrintAll();
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace nuvo::cli

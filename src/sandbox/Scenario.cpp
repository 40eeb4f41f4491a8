#include "sandbox/Scenario.h"

#include <algorithm>
#include <map>

#include "core/common/Encoding.h"
#include "core/net/JsonDocument.h"

namespace nuvo::sandbox {
namespace {

constexpr unsigned kUnescape = kJsonUnescapeQuotes | kJsonDecodeUnicode;

bool ReadText(const CJsonValue& value, std::string& out) {
  const CJsonString* text = value.As<CJsonString>();
  if (!text) return false;
  out = Utf8FromCp932(text->GetText(kUnescape));
  return true;
}

bool ReadChoice(const CJsonValue& value, std::initializer_list<std::string_view> choices,
                std::string& out) {
  return ReadText(value, out) && std::find(choices.begin(), choices.end(), out) != choices.end();
}

bool ReadInt(const CJsonValue& value, int low, int high, int& out) {
  const CJsonInteger* number = value.As<CJsonInteger>();
  if (!number || number->GetValue() < low || number->GetValue() > high) return false;
  out = number->GetValue();
  return true;
}

bool ReadFault(const CJsonValue& value, Fault& fault, std::string& why) {
  static const std::map<std::string, Fault::Kind, std::less<>> kinds = {
      {"status", Fault::Kind::Status},
      {"reset", Fault::Kind::Reset},
      {"close", Fault::Kind::Close},
      {"truncate", Fault::Kind::Truncate},
      {"delay", Fault::Kind::Delay},
      {"redirect_chain", Fault::Kind::RedirectChain},
      {"redirect_loop", Fault::Kind::RedirectLoop}};
  const CJsonObject* object = value.As<CJsonObject>();
  if (!object) {
    why = "a fault is not an object";
    return false;
  }
  bool hasStep = false;
  bool hasKind = false;
  for (std::size_t i = 0; i < object->Count(); ++i) {
    const CJsonKeyValue& member = *object->At(i);
    const std::string& key = member.GetKey();
    const CJsonValue& item = *member.GetValue();
    std::string text;
    bool ok = false;
    if (key == "step") {
      ok = ReadText(item, fault.step) &&
           std::find(StepNames().begin(), StepNames().end(), fault.step) != StepNames().end();
      hasStep = ok;
    } else if (key == "kind") {
      auto it = ReadText(item, text) ? kinds.find(text) : kinds.end();
      ok = it != kinds.end();
      if (ok) fault.kind = it->second;
      hasKind = ok;
    } else if (key == "nth") {
      ok = ReadInt(item, 1, 1000, fault.nth);
    } else if (key == "status") {
      ok = ReadInt(item, 100, 599, fault.status);
    } else if (key == "ms") {
      ok = ReadInt(item, 0, 60000, fault.delayMs);
    } else if (key == "count") {
      ok = ReadInt(item, 1, 100, fault.count);
    }
    if (!ok) {
      why = "fault member \"" + key + "\" is unknown or out of range";
      return false;
    }
  }
  if (!hasStep || !hasKind) why = "a fault needs a step and a kind";
  return hasStep && hasKind;
}

}  // namespace

const std::vector<std::string_view>& StepNames() {
  static const std::vector<std::string_view> steps = {
      "update",       "landing", "classic", "category", "photo_open", "photo_upload",  "photo_done",
      "photo_return", "preview", "submit",  "login",    "login_post", "category_page", "image"};
  return steps;
}

bool ParseScenario(std::string_view json, Scenario& scenario, std::string& why) {
  std::optional<std::string> text = Cp932FromUtf8(json);
  CJsonDocument document;
  const CJsonObject* root = nullptr;
  if (text && document.Parse(*text) == kJsonOk && document.GetRoot()) {
    root = document.GetRoot()->As<CJsonObject>();
  }
  if (!root) {
    why = "the scenario is not a JSON object";
    return false;
  }
  Scenario read;
  for (std::size_t i = 0; i < root->Count(); ++i) {
    const CJsonKeyValue& member = *root->At(i);
    const std::string& key = member.GetKey();
    const CJsonValue& value = *member.GetValue();
    bool ok = false;
    std::string form;
    if (key == "login_required") {
      const CJsonBoolean* flag = value.As<CJsonBoolean>();
      ok = flag != nullptr;
      if (ok) read.loginRequired = flag->GetValue();
    } else if (key == "diversion") {
      ok = ReadChoice(value, {"", "no_right", "seller_info", "free_member", "reverify"},
                      read.diversion);
    } else if (key == "login") {
      ok = ReadChoice(value, {"plain", "captcha", "cushion", "protect"}, read.loginKind);
    } else if (key == "outcome") {
      ok = ReadChoice(value, {"completed", "failed", "refused"}, read.outcome);
    } else if (key == "form") {
      ok = ReadChoice(value, {"normal", "easy"}, form);
      read.easyTrade = form == "easy";
    } else if (key == "update_reply") {
      ok = ReadText(value, read.updateReply);
    } else if (key == "find_type") {
      ok = ReadChoice(value, {"", "find_all", "find_by_div", "find_by_link"}, read.findType);
    } else if (key == "notice") {
      ok = ReadChoice(value,
                      {"", "closed_to_normal", "new_method_button", "open_dialog",
                       "seller_registration", "service_message"},
                      read.notice);
    } else if (key == "photo_button") {
      ok = ReadChoice(value, {"plain", "comment", "no_address"}, read.photoButton);
    } else if (key == "completion") {
      ok = ReadChoice(value, {"full", "ascii_title", "wrapper", "heading"}, read.completion);
    } else if (key == "error_page") {
      ok = ReadChoice(value, {"head", "codes", "text"}, read.errorPage);
    } else if (key == "omit") {
      const CJsonArray* list = value.As<CJsonArray>();
      ok = list != nullptr;
      for (std::size_t j = 0; ok && j < list->Count(); ++j) {
        std::string part;
        ok = ReadChoice(
            *list->At(j),
            {"classic_link", "category_form", "sell_form", "photo_form", "photo_preview_form",
             "photo_return_form", "confirmation_form", "confirmation_button"},
            part);
        if (ok) read.omitted.push_back(std::move(part));
      }
    } else if (key == "form_errors" || key == "faults") {
      const CJsonArray* list = value.As<CJsonArray>();
      ok = list != nullptr;
      for (std::size_t j = 0; ok && list && j < list->Count(); ++j) {
        if (key == "faults") {
          Fault fault;
          if (!ReadFault(*list->At(j), fault, why)) return false;
          read.faults.push_back(std::move(fault));
        } else {
          std::string field;
          ok = ReadText(*list->At(j), field) && !field.empty();
          if (ok) read.formErrors.push_back(std::move(field));
        }
      }
    }
    if (!ok) {
      why = "scenario member \"" + key + "\" is unknown or has a wrong value";
      return false;
    }
  }
  scenario = std::move(read);
  return true;
}

}  // namespace nuvo::sandbox

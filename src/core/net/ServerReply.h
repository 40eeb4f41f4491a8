#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/UserPrompt.h"
#include "core/common/Version.h"

// The exchange with the maker's update service before each submission: the version parameters
// of the request and the reply, which carries its values as "<!--name=value-->" comments.
namespace nuvo {

// Appends "ver_ms" and "ver_ls" to a query: the high and low 32-bit words of the file version
// (major.minor and patch.tweak) in eight lower-case hexadecimal digits, so 3.0.9.0 gives
// ver_ms=00030000 and ver_ls=00090000. `first` leaves out the "&" before the first parameter.
void AppendVersionParameters(std::string& query, bool first,
                             std::span<const unsigned, 4> version = kVersionParts);

// One reply of the update service: its five named fields and every other value in reply order.
class CServerReply {
 public:
  enum Field { kReply = 0, kMessage = 1, kAttention = 2, kAlert = 3, kFixedUrl = 4 };
  static constexpr int kFieldCount = 5;

  // Reads every "<!--name=value-->" comment of `text`, replacing what was read before; a comment
  // with an empty name or value is passed over. In the notice texts "<br>" becomes CR LF.
  // True when the reply word is there.
  bool Parse(std::string_view text);

  // The service accepts this version (possibly asking for an update).
  bool IsAccepted() const;
  // The service asks for an update.
  bool IsOutdated() const;
  // Whether field `index` holds a text; any index outside the five answers no.
  bool HasField(int index) const;
  // Copies field `index` to `out`; fails, leaving `out` alone, for an index outside the five.
  bool GetField(int index, std::string& out) const;
  // Copies the first extra value named exactly `name`; fails, leaving `out` alone, without one.
  bool GetValue(std::string_view name, std::string& out) const;

 private:
  std::string fields_[kFieldCount];
  std::vector<std::pair<std::string, std::string>> extra_;
};

// Tells the user what the reply asks for, the first that applies: an alert (stop icon), an
// attention (plain box), a notice for the status bar, or an update notice naming `appTitle`;
// notices go to `pendingNotice`. True when a box was shown.
bool HandleServerReply(const CServerReply& reply, IUserPrompt& prompt, std::string_view appTitle,
                       std::string& pendingNotice);

// The status bar text of a pending notice ("ザブトソフトからのお知らせ：" and the notice),
// emptying it; empty when nothing is pending.
std::string TakeStatusNotice(std::string& pendingNotice);

}  // namespace nuvo

#pragma once

#include <string>

#include "core/common/MessageFormat.h"

// The one way the core asks the person at the screen something or tells them of a failure.
// The shell answers with a message box; tests and nuvo-cli answer in advance.
namespace nuvo {

enum class PromptIcon { Default, Information, Question, Exclamation, Error };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

struct PromptRequest {
  int messageId = 0;  // the string table id the text came from (0 when composed otherwise)
  std::string text;   // code page 932, placeholders already filled
  PromptButtons buttons = PromptButtons::Ok;
  PromptIcon icon = PromptIcon::Default;  // Default shows the exclamation icon
  int defaultButton = 0;                  // 0-based, in the order the buttons are named
  // UTF-8; when not empty, what the screen shows instead of `text`: the text of a message that
  // names a character code page 932 cannot hold.
  std::string shownText = {};
};

class IUserPrompt {
 public:
  virtual ~IUserPrompt() = default;
  virtual PromptAnswer Ask(const PromptRequest& request) = 0;
};

// Shows message `id` with an OK button.
inline void ShowMessage(IUserPrompt& prompt, int id, std::initializer_list<MessageArg> args = {},
                        PromptIcon icon = PromptIcon::Default) {
  prompt.Ask({id, FormatMessageId(id, args), PromptButtons::Ok, icon, 0});
}

// Asks message `id` with the given buttons and returns the answer.
inline PromptAnswer AskMessage(IUserPrompt& prompt, int id, PromptButtons buttons,
                               std::initializer_list<MessageArg> args = {}, int defaultButton = 0,
                               PromptIcon icon = PromptIcon::Question) {
  return prompt.Ask({id, FormatMessageId(id, args), buttons, icon, defaultButton});
}

}  // namespace nuvo

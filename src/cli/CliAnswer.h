#pragma once

#include "core/common/UserPrompt.h"

namespace nuvo::cli {

// The answer nuvo-cli gives in the seller's place: with --yes it goes on wherever a question lets
// it, without it takes the answer that changes nothing and sends nothing.
inline PromptAnswer CliAnswer(PromptButtons buttons, bool yes) {
  switch (buttons) {
    case PromptButtons::Ok:
      return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
      return yes ? PromptAnswer::Ok : PromptAnswer::Cancel;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
      return yes ? PromptAnswer::Yes : PromptAnswer::No;
    case PromptButtons::RetryCancel:
      break;
  }
  return PromptAnswer::Cancel;
}

}  // namespace nuvo::cli

#pragma once

#include <deque>
#include <vector>

#include "core/common/UserPrompt.h"

// A user prompt for tests: answers from a queue given in advance (Ok, or No for a question, when
// the queue is empty) and keeps every request so a test can check what was asked.
class ScriptedPrompt : public nuvo::IUserPrompt {
 public:
  explicit ScriptedPrompt(std::deque<nuvo::PromptAnswer> answers = {})
      : answers_(std::move(answers)) {}

  nuvo::PromptAnswer Ask(const nuvo::PromptRequest& request) override {
    requests.push_back(request);
    if (!answers_.empty()) {
      nuvo::PromptAnswer answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return request.buttons == nuvo::PromptButtons::Ok ? nuvo::PromptAnswer::Ok
                                                      : nuvo::PromptAnswer::No;
  }

  void Queue(nuvo::PromptAnswer answer) { answers_.push_back(answer); }

  std::vector<int> Ids() const {
    std::vector<int> ids;
    for (const auto& request : requests) ids.push_back(request.messageId);
    return ids;
  }

  std::vector<nuvo::PromptRequest> requests;

 private:
  std::deque<nuvo::PromptAnswer> answers_;
};

#pragma once
// The person at the counter during a benchmark: answers nothing and counts the messages, so a
// benchmark can tell when its premise (no message, no match) was broken.
#include <optional>
#include <vector>

#include "platform/operator.h"

namespace kelvo::bench {

class QuietOperator : public platform::Operator {
 public:
  platform::Answer message(text::u16view, text::u16view, platform::Buttons) override {
    ++messages;
    return platform::Answer::Cancel;
  }
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override {
    return std::nullopt;
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return std::nullopt; }
  void warn() override {}
  void activity(text::u16view) override {}
  int messages = 0;
};

}  // namespace kelvo::bench

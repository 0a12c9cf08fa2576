#pragma once
// An operator for programs without a window: messages go to a stream, questions are declined.
#include <ostream>

#include "platform/operator.h"

namespace kelvo::platform {

class ConsoleOperator : public Operator {
 public:
  explicit ConsoleOperator(std::ostream& out) : out_(out) {}
  Answer message(text::u16view caption, text::u16view body, Buttons buttons) override;
  std::optional<PromptAnswer> prompt(text::u16view, const PromptOptions&) override { return std::nullopt; }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return std::nullopt; }
  void warn() override {}
  void activity(text::u16view line) override;

 private:
  std::ostream& out_;
};

}  // namespace kelvo::platform

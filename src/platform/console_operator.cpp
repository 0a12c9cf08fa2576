#include "platform/console_operator.h"

namespace kelvo::platform {

Answer ConsoleOperator::message(text::u16view caption, text::u16view body, Buttons buttons) {
  out_ << text::to_utf8(caption) << ": " << text::to_utf8(body) << '\n';
  return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

void ConsoleOperator::activity(text::u16view line) { out_ << text::to_utf8(line) << '\n'; }

}  // namespace kelvo::platform

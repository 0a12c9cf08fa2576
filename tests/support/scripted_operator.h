#pragma once
// A person at the counter who answers from a script and remembers everything shown to them,
// and a fresh shop folder for each test.
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::testing {

struct Message {
  std::string caption, body;
};

class ScriptedOperator : public platform::Operator {
 public:
  std::deque<platform::Answer> replies;             // for OK/Cancel questions; default OK
  std::deque<std::optional<std::u16string>> texts;  // prompt answers; nullopt = Cancel
  std::vector<Message> messages;
  std::vector<std::string> activity_lines;
  int warnings = 0;

  platform::Answer message(text::u16view caption, text::u16view body, platform::Buttons buttons) override {
    messages.push_back({text::to_utf8(caption), text::to_utf8(body)});
    if (buttons == platform::Buttons::Ok || replies.empty()) return platform::Answer::Ok;
    auto r = replies.front();
    replies.pop_front();
    return r;
  }
  std::optional<platform::PromptAnswer> prompt(text::u16view, const platform::PromptOptions&) override {
    if (texts.empty()) return std::nullopt;
    auto t = texts.front();
    texts.pop_front();
    if (!t) return std::nullopt;
    return platform::PromptAnswer{*t, false, {}};
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>&, int) override { return std::nullopt; }
  void warn() override { ++warnings; }
  void activity(text::u16view line) override { activity_lines.push_back(text::to_utf8(line)); }

  bool saw(const std::string& caption, const std::string& body) const {
    for (const auto& m : messages)
      if (m.caption == caption && m.body == body) return true;
    return false;
  }
};

inline std::filesystem::path fresh_folder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kelvo-test-XXXXXX").string();
  return std::filesystem::path(mkdtemp(tmpl.data()));
}

inline text::DateTime at(int year, int month, int day, int hour = 10, int minute = 0) {
  text::DateTime t;
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.weekday = text::weekday_of(year, month, day);
  return t;
}

// A shop in a temporary folder of its own, removed after the test.
class ShopTest : public ::testing::Test {
 protected:
  ShopTest() : folder_(fresh_folder()), clock_(at(2026, 12, 7, 14, 5)), shop_(folder_, op_, clock_, locale_) {}
  ~ShopTest() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  ScriptedOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
};

}  // namespace kelvo::testing

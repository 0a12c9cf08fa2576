#pragma once
// A scripted person at the counter for the sign-on, log, summary and backup flows: answers
// prompts and choices from queues and records every message and question.
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/locale.h"
#include "platform/operator.h"
#include "records/backup.h"
#include "records/data_opening.h"
#include "records/shop.h"
#include "text/utf16.h"

namespace kelvo::flowtest {

struct Shown {
  text::u16 caption, body;
};
struct Asked {
  text::u16 question;
  platform::PromptOptions options;
};

class FlowOperator : public platform::Operator {
 public:
  std::deque<std::optional<text::u16>> answers;  // nullopt: Cancel
  std::deque<std::optional<int>> choices;
  std::vector<Shown> shown;
  std::vector<Asked> asked;
  std::vector<std::vector<text::u16>> lists;
  std::vector<int> preselected;

  platform::Answer message(text::u16view caption, text::u16view body, platform::Buttons) override {
    shown.push_back({text::u16(caption), text::u16(body)});
    return platform::Answer::Ok;
  }
  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions& o) override {
    asked.push_back({text::u16(q), o});
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected prompt " << text::to_utf8(q);
      return std::nullopt;
    }
    auto a = answers.front();
    answers.pop_front();
    if (!a) return std::nullopt;
    platform::PromptAnswer r;
    r.text = *a;
    return r;
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>& rows, int pre) override {
    lists.push_back(rows);
    preselected.push_back(pre);
    if (choices.empty()) return std::nullopt;
    auto c = choices.front();
    choices.pop_front();
    return c;
  }
  void warn() override {}
  void activity(text::u16view) override {}

  void answer(std::initializer_list<const char16_t*> texts) {
    for (auto t : texts) answers.push_back(t ? std::optional<text::u16>(t) : std::nullopt);
  }
};

// A fresh shop in its own temporary folder, with first-run data files on disk.
class ShopFolder : public ::testing::Test {
 protected:
  ShopFolder()
      : dir_(make_dir()), clock_(text::DateTime{2026, 12, 7, 14, 5, 0, 1}), shop_(dir_, op_, clock_, locale_) {
    records::create_data_files(shop_);
    shop_.config.repair_after_load();
    shop_.address.set_missing_defaults();
  }
  ~ShopFolder() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  static std::filesystem::path make_dir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "kelvo-flow-XXXXXX").string();
    return mkdtemp(tmpl.data());
  }

  std::filesystem::path dir_;
  FlowOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
};

// Backup and restore screens answered in advance.
class ScriptedBackupScreens : public records::BackupScreens {
 public:
  bool explain = true;
  std::optional<std::filesystem::path> file;
  int busy_calls = 0;
  bool busy_now = false;
  text::u16 proposed;

  void busy(bool on) override {
    ++busy_calls;
    busy_now = on;
  }
  bool explain_restore() override { return explain; }
  std::optional<std::filesystem::path> choose_file(text::u16view name) override {
    proposed = text::u16(name);
    return file;
  }
};

}  // namespace kelvo::flowtest

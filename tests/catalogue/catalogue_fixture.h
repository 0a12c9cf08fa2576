#pragma once
// A shop folder with first-run data files, a person at the counter who can tick "Case
// sensitive" and type a first name, and catalogue screens answered from a script.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/catalogue_views.h"
#include "catalogue/multicopy.h"
#include "records/data_opening.h"
#include "records/file_io.h"
#include "records/record_files.h"
#include "support/scripted_operator.h"

namespace kelvo::cattest {

class CatalogueOperator : public testing::ScriptedOperator {
 public:
  std::deque<std::optional<platform::PromptAnswer>> answers;  // nullopt: Cancel
  std::deque<std::optional<int>> choices;
  std::vector<std::string> questions;
  std::vector<std::vector<std::string>> lists;

  std::optional<platform::PromptAnswer> prompt(text::u16view q, const platform::PromptOptions&) override {
    questions.push_back(text::to_utf8(q));
    if (answers.empty()) {
      ADD_FAILURE() << "unexpected prompt " << text::to_utf8(q);
      return std::nullopt;
    }
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::optional<int> choose(text::u16view, const std::vector<text::u16>& rows, int) override {
    std::vector<std::string> l;
    for (const auto& r : rows) l.push_back(text::to_utf8(r));
    lists.push_back(l);
    if (choices.empty()) return std::nullopt;
    auto c = choices.front();
    choices.pop_front();
    return c;
  }
  void type(std::u16string t, bool case_sensitive = false, std::u16string first = u"") {
    answers.push_back(platform::PromptAnswer{std::move(t), case_sensitive, std::move(first)});
  }
  void cancel_prompt() { answers.push_back(std::nullopt); }
  void reply(std::initializer_list<platform::Answer> a) { replies.insert(replies.end(), a); }
};

class ScriptedViews : public catalogue::CatalogueViews {
 public:
  std::deque<catalogue::MatchChoice> match_choices;  // default Cancel
  std::vector<int64_t> offered;                      // numbers shown in FIND FILM / FIND MEMBER
  std::vector<int64_t> shown;                        // numbers shown in FILM / MEMBER
  std::vector<std::string> list_titles;
  std::vector<std::vector<catalogue::ListRow>> pages;
  std::vector<bool> more_left;
  std::deque<catalogue::ListAnswer> list_answers;  // default More
  std::vector<catalogue::MulticopyResult> multicopies;

  catalogue::MatchChoice next_choice() {
    if (match_choices.empty()) return catalogue::MatchChoice::Cancel;
    auto c = match_choices.front();
    match_choices.pop_front();
    return c;
  }
  catalogue::MatchChoice offer_film(const records::FilmRecord& f) override {
    offered.push_back(f.number());
    return next_choice();
  }
  catalogue::MatchChoice offer_member(const records::MemberRecord& m) override {
    offered.push_back(m.number());
    return next_choice();
  }
  void show_film(const records::FilmRecord& f) override { shown.push_back(f.number()); }
  void show_member(const records::MemberRecord& m) override { shown.push_back(m.number()); }
  catalogue::ListAnswer show_list_page(text::u16view title, const std::vector<catalogue::ListRow>& rows,
                                       bool more) override {
    list_titles.push_back(text::to_utf8(title));
    pages.push_back(rows);
    more_left.push_back(more);
    if (list_answers.empty()) return catalogue::ListAnswer::More;
    auto a = list_answers.front();
    list_answers.pop_front();
    return a;
  }
  void show_multicopy(const catalogue::MulticopyResult& r) override { multicopies.push_back(r); }
};

inline records::FilmRecord film(int64_t number, std::u16string title, int band = 1) {
  records::FilmRecord f;
  f.set_number(number);
  f.set_title(title);
  f.set_charge_band(band);
  return f;
}

inline records::MemberRecord member(int64_t number, std::u16string name, std::u16string first = u"",
                                    std::u16string road = u"") {
  records::MemberRecord m;
  m.set_number(number);
  m.set_name(name);
  m.set_initial(first);
  m.set_road(road);
  m.set_category(1);
  return m;
}

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest() : folder_(testing::fresh_folder()), clock_(testing::at(2026, 12, 7, 14, 5)),
                    shop_(folder_, op_, clock_, locale_) {}
  ~CatalogueTest() override { std::filesystem::remove_all(folder_); }
  void SetUp() override { ASSERT_TRUE(records::open_data(shop_)); }

  void given_films(std::initializer_list<records::FilmRecord> films) {
    for (auto f : films) ASSERT_TRUE(records::add_film(shop_, f));
    reset_output();
  }
  void given_members(std::initializer_list<records::MemberRecord> members) {
    for (auto m : members) ASSERT_TRUE(records::add_member(shop_, m));
    reset_output();
  }
  // Changes a stored film the way renting would (adding clears the rental state).
  template <class Change>
  void change_film(int64_t number, Change change) {
    records::FilmRecord f;
    ASSERT_TRUE(records::read_film(shop_, number, f));
    change(f);
    ASSERT_TRUE(records::rewrite_film(shop_, f));
  }
  void reset_output() {
    op_.messages.clear();
    op_.activity_lines.clear();
  }
  // The transaction log as UTF-8, "" when there is none.
  std::string log_text() const {
    auto bytes = records::read_whole(shop_.path(records::files::kLog));
    if (!bytes) return "";
    std::u16string t;
    for (size_t i = 0; i + 1 < bytes->size(); i += 2) t.push_back(char16_t((*bytes)[i] | ((*bytes)[i + 1] << 8)));
    return text::to_utf8(t);
  }

  std::filesystem::path folder_;
  CatalogueOperator op_;
  platform::FixedClock clock_;
  platform::EnglishLocale locale_;
  records::Shop shop_;
  ScriptedViews views_;
};

}  // namespace kelvo::cattest

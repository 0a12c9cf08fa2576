#pragma once
// The member commands of the main window: add (plain, 30 and 90 day expiry), amend (also F9
// on the last member used), delete, prune, the three finds and the member photo.

namespace kelvo::shell {

class MainWindow;

namespace members {
void add(MainWindow& w);
void add_30_day(MainWindow& w);
void add_90_day(MainWindow& w);
void amend(MainWindow& w);
void amend_last(MainWindow& w);
void remove(MainWindow& w);
void prune(MainWindow& w);
void find(MainWindow& w);
void find_by_address(MainWindow& w);
void find_by_telephone(MainWindow& w);
void photo(MainWindow& w);
}  // namespace members

}  // namespace kelvo::shell

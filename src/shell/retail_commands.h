#pragma once
// The Retail menu's commands and the Films menu's "&Sell". The window has already made the
// access test.
namespace kelvo::shell {

class MainWindow;

namespace retail {

void sale(MainWindow& w);           // Ctrl+S
void new_line(MainWindow& w);
void amend_line(MainWindow& w);
void delete_line(MainWindow& w);
void non_inventory(MainWindow& w);
void sell_film(MainWindow& w);

}  // namespace retail
}  // namespace kelvo::shell

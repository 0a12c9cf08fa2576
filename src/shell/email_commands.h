#pragma once
// File "Email setup", "Email report", "Email the day log" and Options "O&verdue email".

namespace kelvo::shell {

class MainWindow;

namespace email {
void setup(MainWindow& w);
void report(MainWindow& w);
void day_log(MainWindow& w);
void overdue(MainWindow& w);
}  // namespace email

}  // namespace kelvo::shell

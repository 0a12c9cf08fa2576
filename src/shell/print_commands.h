#pragma once
// The letter, form, card, label and heading commands of the main window.

namespace kelvo::shell {

class MainWindow;

namespace prints {
void overdue_letter1(MainWindow& w);
void overdue_letter2(MainWindow& w);
void unpaid_letter(MainWindow& w);
void overdue_letter_text(MainWindow& w);
void mail_merge(MainWindow& w);
void membership_form(MainWindow& w);
void member_details(MainWindow& w);
void rented_by_member(MainWindow& w);
void photo_id_configuration(MainWindow& w);
void photo_id_card(MainWindow& w);
void barcodes(MainWindow& w);
void print_heading(MainWindow& w);
void custom_receipt(MainWindow& w);
}  // namespace prints

}  // namespace kelvo::shell

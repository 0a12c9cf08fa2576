#pragma once
// Commands of the main window that settle money outside a rental or return.
namespace kelvo::shell {

class MainWindow;

// Members "Amend credit": the owed amount of a member set by hand.
void amend_credit(MainWindow& w);

}  // namespace kelvo::shell

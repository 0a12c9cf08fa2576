#pragma once
// The cash drawer and pole display of the counter, kept with the main window for the whole run,
// and the commands that reach them: the "+" key and Utilities "Configuration".
#include "counter/payment.h"

namespace kelvo::till { class TillWorker; }

namespace kelvo::shell {

class MainWindow;

// What every settlement of the window opens the drawer and shows the total through. Device
// output runs on the till's worker; its messages come back to the window's thread.
counter::Till& till(MainWindow& w);
// Until every output asked for so far has gone out (tests).
void wait_for_till(MainWindow& w);

namespace till_commands {

// The "+" key.
void open_drawer(MainWindow& w);
// Utilities "Configuration" (Ctrl+C): stored and wr.cfg written on OK, nothing on Cancel.
void configuration(MainWindow& w);

}  // namespace till_commands
}  // namespace kelvo::shell

#pragma once
// `kelvoweb --upload-now`: one upload with the stored settings and no window, for a timer of
// the system (cron, systemd). The upload log goes to the output; the exit status tells a
// timer whether the inventory was published.
#include <ostream>

#include "uploader/upload_session.h"

namespace kelvo::uploader {

enum UnattendedExit { kPublished = 0, kUploadFailed = 1, kAlreadyRunning = 3 };

// Copy, conversion and transfer, waited for; the log lines printed one per line.
int upload_now(UploadSession& session, std::ostream& out);

}  // namespace kelvo::uploader

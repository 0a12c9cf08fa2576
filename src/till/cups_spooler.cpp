#include "till/cups_spooler.h"

#include <cups/cups.h>

namespace kelvo::till {

bool CupsSpooler::print_raw(const std::string& printer, const std::string& document, const Bytes& bytes) {
  http_t* http = CUPS_HTTP_DEFAULT;
  const char* queue = printer.empty() ? cupsGetDefault2(http) : printer.c_str();
  if (!queue) return false;
  const int job = cupsCreateJob(http, queue, document.c_str(), 0, nullptr);
  if (job == 0) return false;
  // Raw: the scheduler passes the bytes to the device untouched, no filter, no page setup.
  bool sent = false;
  if (cupsStartDocument(http, queue, job, document.c_str(), CUPS_FORMAT_RAW, 1) == HTTP_STATUS_CONTINUE) {
    sent = cupsWriteRequestData(http, reinterpret_cast<const char*>(bytes.data()), bytes.size()) ==
           HTTP_STATUS_CONTINUE;
    // Finished even after a failed write, so the scheduler's answer is read and the
    // connection left clean.
    sent = cupsFinishDocument(http, queue) == IPP_STATUS_OK && sent;
  }
  if (!sent) {
    cupsCancelJob2(http, queue, job, 0);
    return false;
  }
  return true;
}

}  // namespace kelvo::till

#include "reports/print_job.h"

namespace kelvo::reports {

bool begin_document(platform::Printer& p, platform::Operator& op) {
  switch (p.begin(u"QUENDRIX", {})) {
    case platform::PrintStart::Started: return true;
    case platform::PrintStart::Cancelled: return false;
    case platform::PrintStart::Failed: break;
  }
  op.message(u"Problem", u"Unable to get printer");
  return false;
}

bool end_document(platform::Printer& p, platform::Operator& op) {
  if (p.end()) return true;
  op.message(u"Problem", u"The document could not be printed.");
  return false;
}

}  // namespace kelvo::reports

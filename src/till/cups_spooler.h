#pragma once
// The drawer's raw job through the system's print spooler (CUPS). Only this file and the
// programs that use it link libcups.
#include "till/till_output.h"

namespace kelvo::till {

// Talks to the scheduler the CUPS client settings name (CUPS_SERVER, client.conf), as every
// other print of the machine does.
class CupsSpooler : public RawSpooler {
 public:
  bool print_raw(const std::string& printer, const std::string& document, const Bytes& bytes) override;
};

}  // namespace kelvo::till

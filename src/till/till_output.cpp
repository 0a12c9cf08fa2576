#include "till/till_output.h"

#include "text/format.h"
#include "till/device_port.h"

namespace kelvo::till {

namespace {

void open_through_printer(const DrawerSetup& d, RawSpooler& spooler, TillSink& sink) {
  if (d.printer_sequence.empty()) return;
  if (!spooler.print_raw(d.printer, kDrawerDocument, d.printer_sequence)) sink.problem(kUnableToOpenPrinter);
}

void open_direct(const DrawerSetup& d, TillSink& sink) {
  PortSession port(d.device);
  if (!port.is_open()) {
    sink.problem(kUnableToOpenPort);
    return;
  }
  if (!port.write(d.kick)) sink.problem(kUnableToWritePort);
}

// A printer sequence on the display's line, in an opening of its own. A port that cannot be
// opened here is not reported: the display's own opening reports it.
bool send_alone(const std::string& device, const Bytes& bytes) {
  if (bytes.empty()) return true;
  PortSession port(device);
  return !port.is_open() || port.write(bytes);
}

Bytes joined(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

void open_drawer(const DrawerSetup& drawer, RawSpooler& spooler, TillSink& sink) {
  if (!drawer.in_use) return;
  if (drawer.through_printer)
    open_through_printer(drawer, spooler, sink);
  else
    open_direct(drawer, sink);
}

void show_on_pole(const PoleSetup& pole, text::u16view text, TillSink& sink) {
  if (!pole.in_use) return;
  // A printer chained on the same line is told to ignore what follows.
  bool written = send_alone(pole.device, pole.printer_off);
  {
    PortSession port(pole.device);
    if (!port.is_open()) {
      send_alone(pole.device, pole.printer_on);
      sink.problem(kUnableToOpenPort);
      return;
    }
    written = written && port.write(joined(pole.clear, pole.first_line));
    if (written && !text.empty()) written = port.write(pole_text(pole, text));
  }
  // Told before the printer is switched back on, which on a dead line takes its own time.
  if (!written) sink.problem(kUnableToWritePort);
  send_alone(pole.device, pole.printer_on);
}

Bytes display_bytes(text::u16view text) {
  Bytes out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (pair) ++i;  // one character beyond the display, one "?"
    const bool shown = (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
    out.push_back(shown ? static_cast<uint8_t>(c) : static_cast<uint8_t>('?'));
  }
  return out;
}

Bytes pole_text(const PoleSetup& pole, text::u16view text) {
  Bytes line1 = display_bytes(text);
  if (pole.columns1 <= 0 || line1.size() <= static_cast<size_t>(pole.columns1)) return line1;
  Bytes rest(line1.begin() + pole.columns1, line1.end());
  line1.resize(static_cast<size_t>(pole.columns1));
  if (pole.columns2 <= 0 || pole.second_line.empty()) return line1;
  if (rest.size() > static_cast<size_t>(pole.columns2)) rest.resize(static_cast<size_t>(pole.columns2));
  return joined(joined(std::move(line1), pole.second_line), rest);
}

text::u16 pole_total_text(float amount) { return text::format("Total: %.2f", {amount}); }

}  // namespace kelvo::till

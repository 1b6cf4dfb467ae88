// The report printer file ("VELDAPRN.DEV") of any content: parsed as Printer Setup and
// the report commands read it; a choice it yields is written and read back unchanged.
#include <cstdint>
#include <cstdlib>

#include "reports/printer_choice.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QString problem;
  const std::optional<qw::PrinterChoice> choice = qw::ParsePrinterChoice(bytes, &problem);
  if (!choice) {
    if (problem.isEmpty()) std::abort();
    return 0;
  }
  if (choice->duplex < 0 || choice->duplex > 2 || choice->copies < 1 || choice->copies > 999) std::abort();
  const std::optional<qw::PrinterChoice> again = qw::ParsePrinterChoice(qw::PrinterChoiceText(*choice).toUtf8(), nullptr);
  if (!again || !(*again == *choice)) std::abort();
  return 0;
}

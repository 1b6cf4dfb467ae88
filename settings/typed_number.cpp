#include "settings/typed_number.h"

#include <cmath>

namespace qw {

QLocale TypedNumberLocale() {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
  return locale;
}

std::optional<double> ReadTypedNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  double value = TypedNumberLocale().toDouble(trimmed, &ok);
  if (!ok) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    value = c.toDouble(trimmed, &ok);
  }
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace qw

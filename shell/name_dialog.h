// The small dialog that asks the user for a name (a custom-location section, a group):
// a title, a label over a line edit that takes at most `maxLength` characters, OK and
// Cancel.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace qw {

// The name as typed, untrimmed; nothing when the user cancels. The edit starts with
// `initial`.
std::optional<QString> AskName(QWidget* parent, const QString& title, const QString& label, int maxLength,
                               const QString& initial = QString());

}  // namespace qw

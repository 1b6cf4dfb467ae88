// Where the desktop program keeps its per-user files and its local sockets.
#pragma once

#include <QString>

namespace qw {

// The per-user settings folder: $XDG_CONFIG_HOME/quaywise (by default
// ~/.config/quaywise). The settings file "velda.ini" and the groups file
// "veldagrp.ini" live there.
QString ConfigDirectory();
QString SettingsFilePath();
QString GroupsFilePath();

// The folder for this user's sockets and lock files: $XDG_RUNTIME_DIR, or the
// system's temporary folder when that is not set.
QString RuntimeDirectory();

// The full name of a local socket or lock file, normally in $XDG_RUNTIME_DIR. Socket
// paths of 107 bytes or more cannot be bound, so an unset or long runtime folder falls
// back to the temporary folder, with the user id in the name to keep users apart.
QString RuntimePath(const QString& name);

}  // namespace qw

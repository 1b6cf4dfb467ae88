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

// The folder for this user's sockets and lock files, private to the user: another local
// user who could place files there could take the hand-over of a start or receive the
// positions sent to the charting program. It is $XDG_RUNTIME_DIR when that is set, is
// the user's own folder (mode 0700) and short enough for socket names (sockaddr_un holds
// 107 bytes); otherwise "quaywise-<uid>" in the temporary folder, made with mode 0700 or,
// when it already exists, used only when it is a folder of the user's with no access for
// others. When no such folder can be had the result is empty and `error` says why: the
// program then refuses to start rather than fall back to a shared folder.
QString RuntimeDirectory(QString* error = nullptr);

// The full name of a local socket or lock file in RuntimeDirectory(); empty when there
// is no private folder.
QString RuntimePath(const QString& name);

}  // namespace qw

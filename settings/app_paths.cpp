#include "settings/app_paths.h"

#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

namespace qw {
namespace {

// sockaddr_un holds 108 bytes including the terminating NUL.
constexpr int kMaxSocketPathBytes = 106;

}  // namespace

QString ConfigDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quaywise";
}

QString SettingsFilePath() { return ConfigDirectory() + "/velda.ini"; }

QString GroupsFilePath() { return ConfigDirectory() + "/veldagrp.ini"; }

QString RuntimeDirectory() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) return runtime;
  return QDir::tempPath();
}

QString RuntimePath(const QString& name) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && QDir(runtime).exists()) {
    const QString path = runtime + "/" + name;
    if (path.toLocal8Bit().size() <= kMaxSocketPathBytes) return path;
  }
  // The shared temporary folder: the user id keeps users apart.
  return QDir::tempPath() + "/" + name + "-" + QString::number(::getuid());
}

}  // namespace qw

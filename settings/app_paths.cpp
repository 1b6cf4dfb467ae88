#include "settings/app_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

namespace qw {
namespace {

// sockaddr_un holds 108 bytes including the terminating NUL.
constexpr int kMaxSocketPathBytes = 106;
// The longest name put in the folder ("quaywise-chartlink.socket" and some room).
constexpr int kLongestRuntimeName = 32;

// Why `path` is not a folder private to this user (a real folder, not a link, owned by
// the user, no access for the group or others), or an empty string when it is.
QString PrivacyProblem(const QString& path) {
  struct stat info {};
  if (lstat(QFile::encodeName(path).constData(), &info) != 0) {
    return QString("'%1' cannot be examined: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
  }
  if (!S_ISDIR(info.st_mode)) return QString("'%1' is not a folder.").arg(path);
  if (info.st_uid != ::getuid()) return QString("'%1' belongs to another user.").arg(path);
  if ((info.st_mode & 077) != 0) return QString("'%1' is open to other users.").arg(path);
  return QString();
}

// The folder used without a usable $XDG_RUNTIME_DIR: "quaywise-<uid>" in the temporary
// folder, made private to the user. One that already exists is used only when it is
// private to the user: in a shared folder, another user could have made it first.
QString PrivateTemporaryFolder(QString* error) {
  const QString path = QDir::tempPath() + "/quaywise-" + QString::number(::getuid());
  if (mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) {
    if (error) {
      *error = QString("The private folder '%1' cannot be made: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    return QString();
  }
  const QString problem = PrivacyProblem(path);
  if (!problem.isEmpty()) {
    if (error) *error = problem + " Quaywise keeps its lock and sockets there only when it is the user's own (mode 0700).";
    return QString();
  }
  return path;
}

// $XDG_RUNTIME_DIR when it is set, private to the user and short enough for socket names.
QString UsableXdgRuntime() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (runtime.isEmpty() || !PrivacyProblem(runtime).isEmpty()) return QString();
  if (runtime.toLocal8Bit().size() + 1 + kLongestRuntimeName > kMaxSocketPathBytes) return QString();
  return runtime;
}

}  // namespace

QString ConfigDirectory() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/quaywise";
}

QString SettingsFilePath() { return ConfigDirectory() + "/velda.ini"; }

QString GroupsFilePath() { return ConfigDirectory() + "/veldagrp.ini"; }

QString RuntimeDirectory(QString* error) {
  const QString runtime = UsableXdgRuntime();
  if (!runtime.isEmpty()) return runtime;
  return PrivateTemporaryFolder(error);
}

QString RuntimePath(const QString& name) {
  const QString directory = RuntimeDirectory();
  if (directory.isEmpty()) return QString();
  return directory + "/" + name;
}

}  // namespace qw

#include "settings/app_paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "tests/support/test_support.h"

namespace qw {
namespace {

namespace fs = std::filesystem;

// The runtime folder with $XDG_RUNTIME_DIR and $TMPDIR set as the test says, restored after.
class RuntimeFolderTest : public ::testing::Test {
 protected:
  RuntimeFolderTest() {
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QByteArray::fromStdString(temp_.path().string()));
  }
  ~RuntimeFolderTest() override {
    Restore("XDG_RUNTIME_DIR", savedRuntime_);
    Restore("TMPDIR", savedTemp_);
  }
  static std::optional<QByteArray> Saved(const char* name) {
    return qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
  }
  static void Restore(const char* name, const std::optional<QByteArray>& value) {
    if (value) {
      qputenv(name, *value);
    } else {
      qunsetenv(name);
    }
  }
  fs::path Fallback() const { return temp_.path() / ("quaywise-" + std::to_string(::getuid())); }

  const std::optional<QByteArray> savedRuntime_ = Saved("XDG_RUNTIME_DIR");
  const std::optional<QByteArray> savedTemp_ = Saved("TMPDIR");
  test::TempDir temp_;
};

TEST_F(RuntimeFolderTest, WithoutXdgRuntimeDirAPrivateFolderIsMade) {
  QString error;
  EXPECT_EQ(RuntimeDirectory(&error).toStdString(), Fallback().string()) << error.toStdString();
  EXPECT_EQ(fs::status(Fallback()).permissions(), fs::perms::owner_all);
  EXPECT_EQ(RuntimePath("quaywise.lock").toStdString(), (Fallback() / "quaywise.lock").string());

  // A runtime folder open to other users is not used either.
  test::TempDir shared;
  fs::permissions(shared.path(), fs::perms::all);
  qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(shared.path().string()));
  EXPECT_EQ(RuntimeDirectory().toStdString(), Fallback().string());
  // A private one is.
  fs::permissions(shared.path(), fs::perms::owner_all, fs::perm_options::replace);
  EXPECT_EQ(RuntimeDirectory().toStdString(), shared.path().string());
}

TEST_F(RuntimeFolderTest, AFallbackFolderThatIsNotPrivateIsRefused) {
  // Made first by someone else's hand: open to all.
  fs::create_directory(Fallback());
  fs::permissions(Fallback(), fs::perms::all);
  QString error;
  EXPECT_TRUE(RuntimeDirectory(&error).isEmpty());
  EXPECT_TRUE(error.contains("open to other users")) << error.toStdString();
  EXPECT_TRUE(RuntimePath("quaywise.lock").isEmpty());

  // A link to a folder elsewhere.
  fs::remove(Fallback());
  test::TempDir elsewhere;
  fs::create_directory_symlink(elsewhere.path(), Fallback());
  EXPECT_TRUE(RuntimeDirectory(&error).isEmpty());
  EXPECT_TRUE(error.contains("not a folder")) << error.toStdString();
}

}  // namespace
}  // namespace qw

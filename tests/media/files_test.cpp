// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "media/files.h"
#include "support/files.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;
using testing::FreshDir;
using testing::ReadBytes;

// A save killed at any moment leaves the old contents or the new ones.
TEST(SaveFile, KilledSavesLeaveTheOldOrTheNewFile) {
  fs::path dir = FreshDir("kill");
  fs::path path = dir / "game.paf";
  const std::vector<uint8_t> first(191480, 0x11), second(191480, 0x22);
  ASSERT_TRUE(SaveFile(path, first));
  // The kills are spread over a few saves' time, whatever this disk's speed.
  auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(SaveFile(path, second));
  ASSERT_TRUE(SaveFile(path, first));
  auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - start).count() / 2 + 1;
  std::mt19937 rng(13);
  int sawFirst = 0, sawSecond = 0;
  for (int round = 0; round < 200; ++round) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(ready[0]);
      char go = 1;
      if (::write(ready[1], &go, 1) != 1) ::_exit(2);
      for (int n = 0;; ++n) SaveFile(path, n % 2 ? first : second);
    }
    ::close(ready[1]);
    char go = 0;
    ASSERT_EQ(::read(ready[0], &go, 1), 1);
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(rng() % (3 * oneSave)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round;
    std::vector<uint8_t> now = ReadBytes(path);
    if (now == first) {
      ++sawFirst;
    } else {
      ASSERT_EQ(now, second) << "round " << round << ": a damaged file of " << now.size() << " bytes";
      ++sawSecond;
    }
  }
  EXPECT_GT(sawFirst, 0);
  EXPECT_GT(sawSecond, 0) << "no kill came after a finished save";
  ASSERT_TRUE(SaveFile(path, second));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
      << "the next save clears what a killed one left";
}

TEST(SaveFile, LinksStayLinksAndModesAreKept) {
  fs::path dir = FreshDir("link");
  fs::create_directories(dir / "elsewhere");
  ASSERT_TRUE(SaveFile(dir / "elsewhere" / "real.set", std::vector<uint8_t>(10, 1)));
  fs::permissions(dir / "elsewhere" / "real.set", fs::perms(0604));
  fs::create_symlink("elsewhere/real.set", dir / "Settings.set");
  fs::create_symlink(dir / "Settings.set", dir / "second.set");

  ASSERT_TRUE(SaveFile(dir / "second.set", std::vector<uint8_t>(20, 2)));
  EXPECT_TRUE(fs::is_symlink(dir / "second.set"));
  EXPECT_TRUE(fs::is_symlink(dir / "Settings.set"));
  EXPECT_EQ(ReadBytes(dir / "elsewhere" / "real.set"), std::vector<uint8_t>(20, 2));
  EXPECT_EQ(fs::status(dir / "elsewhere" / "real.set").permissions(), fs::perms(0604));

  fs::create_symlink("missing.set", dir / "dangling.set");
  ASSERT_TRUE(SaveFile(dir / "dangling.set", std::vector<uint8_t>(3, 3)));
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.set"));
  EXPECT_EQ(ReadBytes(dir / "missing.set"), std::vector<uint8_t>(3, 3));
  // A new file follows the player's umask, as any program's does.
  const mode_t umaskBefore = ::umask(077);
  const bool saved = SaveFile(dir / "private.set", std::vector<uint8_t>(3, 3)).Status == SaveStatus::Saved;
  ::umask(umaskBefore);
  ASSERT_TRUE(saved);
  EXPECT_EQ(fs::status(dir / "private.set").permissions(), fs::perms(0600));

  fs::create_symlink("loop.set", dir / "loop.set");
  EXPECT_FALSE(SaveFile(dir / "loop.set", std::vector<uint8_t>(3, 3)));
  EXPECT_TRUE(fs::is_symlink(dir / "loop.set"));
}

TEST(SaveFile, ProtectedFilesAndFoldersAreLeftAlone) {
  fs::path dir = FreshDir("protected");
  fs::path path = dir / "Settings.set";
  ASSERT_TRUE(SaveFile(path, std::vector<uint8_t>(10, 1)));
  fs::permissions(path, fs::perms(0444));
  SaveResult result = SaveFile(path, std::vector<uint8_t>(10, 2));
  EXPECT_EQ(result.Status, SaveStatus::Protected);
  EXPECT_NE(result.Error.find("write-protected"), std::string::npos) << result.Error;
  EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>(10, 1));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0444));

  // A read-only folder, as a player who is not root sees it.
  fs::permissions(path, fs::perms(0666));
  fs::permissions(dir, fs::perms(0555));
  pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && ::setuid(65534) != 0) ::_exit(3);
    SaveResult inside = SaveFile(path, std::vector<uint8_t>(10, 2));
    bool told = inside.Status == SaveStatus::Failed && inside.Error.find("folder") != std::string::npos;
    ::_exit(told ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  fs::permissions(dir, fs::perms(0755));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the save must fail and name the folder";
  EXPECT_EQ(ReadBytes(path), std::vector<uint8_t>(10, 1));
}

}  // namespace
}  // namespace plumix

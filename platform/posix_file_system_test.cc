#include "platform/posix_file_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/text.h"
#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using test_support::ReadHostFile;
using test_support::WriteHostFile;
using Names = std::vector<std::string>;
using Listing = std::vector<std::pair<std::string, uint32_t>>;

mode_t Permissions(const fs::path& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  PosixFileSystem Files(const std::string& current = "C:\\") const {
    return PosixFileSystem(DriveMap(temp_.prefix().string()), current);
  }
  // The names a folder holds on the host, in byte order.
  std::set<std::string> OnHost(const fs::path& folder) const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
  }
  std::set<std::string> OnDisk(std::string_view windows_folder) const {
    return OnHost(temp_.Host(windows_folder));
  }
  static Names Found(const FileSystem& files, const std::string& pattern) {
    Names names;
    for (const auto& entry : files.Find(pattern, kAnyAttributes)) names.push_back(entry.name);
    return names;
  }
  static Listing Listed(const FileSystem& files, const std::string& pattern, uint32_t mask) {
    Listing out;
    for (const auto& entry : files.Find(pattern, mask)) out.emplace_back(entry.name, entry.attributes);
    return out;
  }

  test_support::TempPrefix temp_;
  PosixFileSystem files_ = Files();
};

// --- Resolution --------------------------------------------------------------

TEST_F(PosixFileSystemTest, MatchesEveryComponentWithoutRegardToCaseFromTheCurrentFolder) {
  temp_.Write("C:\\MSTS\\Routes\\MyRoute\\House.S", "shape");
  temp_.Write("C:\\Data\\a.txt", "lower");
  temp_.Write("C:\\Data\\A.txt", "upper");
  auto files = Files("C:\\MSTS\\Routes");
  for (const char* path : {"c:/msts\\ROUTES/myroute\\house.s", ".\\MyRoute/../myroute/HOUSE.S",
                           "c:myroute\\house.s", "\\msts\\routes\\myroute\\house.s"}) {
    EXPECT_EQ(files.ReadFile(path), "shape") << path;
  }
  EXPECT_FALSE(files.FolderExists("C:\\msts\\routes\\myroute\\house.s"));
  EXPECT_TRUE(files.FolderExists("c:/MSTS//Routes/"));
  // The exact name wins; else the first in byte order.
  EXPECT_EQ(files.ReadFile("C:\\Data\\a.txt"), "lower");
  EXPECT_EQ(files.ReadFile("C:\\DATA\\A.TXT"), "upper");
  // New names keep the case given.
  EXPECT_TRUE(files.CreateFolder("c:\\msts\\NewRoute"));
  EXPECT_TRUE(files.ReplaceFile("C:\\MSTS\\newroute\\Route.TRK", "trk"));
  EXPECT_EQ(OnDisk("C:\\MSTS\\NewRoute"), std::set<std::string>{"Route.TRK"});
  // Host paths typed by the user take their Windows form where a drive holds them.
  EXPECT_EQ(files.FromUserPath(temp_.drive_c().string() + "/MSTS/New Route"), "C:\\MSTS\\New Route");
}

// --- Find ----------------------------------------------------------------------

TEST_F(PosixFileSystemTest, FindReportsAttributesAndFollowsLinks) {
  temp_.Write("C:\\F\\plain.txt", "");
  temp_.Write("C:\\F\\locked.txt", "");
  temp_.Write("C:\\F\\.hidden", "");
  temp_.MakeFolder("C:\\F\\Sub");
  temp_.MakeFolder("C:\\F\\.git");
  fs::permissions(temp_.Host("C:\\F\\locked.txt"), fs::perms(0444));
  fs::create_symlink(temp_.Host("C:\\F\\Sub"), temp_.Host("C:\\F\\sub-link"));
  fs::create_symlink(temp_.Host("C:\\F\\plain.txt"), temp_.Host("C:\\F\\file-link"));
  fs::create_symlink(temp_.Host("C:\\nothing"), temp_.Host("C:\\F\\broken-link"));
  EXPECT_EQ(Listed(files_, "C:\\F\\*", kAnyAttributes),
            (Listing{{".", 16}, {"..", 16}, {".git", 18}, {".hidden", 34}, {"file-link", 32},
                     {"locked.txt", 33}, {"plain.txt", 32}, {"Sub", 16}, {"sub-link", 16}}));
  // The mask kDirectory leaves out the hidden entries.
  EXPECT_EQ(Listed(files_, "C:\\F\\*", kDirectory),
            (Listing{{".", 16}, {"..", 16}, {"file-link", 32}, {"locked.txt", 33}, {"plain.txt", 32},
                     {"Sub", 16}, {"sub-link", 16}}));
  // The file names alone: the files FindFiles gives, with no FIFO.
  ASSERT_EQ(mkfifo(temp_.Host("C:\\F\\fifo").c_str(), 0644), 0);
  std::optional<Names> names = files_.FileNames("c:\\f\\");
  ASSERT_TRUE(names);
  std::sort(names->begin(), names->end());
  EXPECT_EQ(*names, (Names{".hidden", "file-link", "locked.txt", "plain.txt"}));
  EXPECT_FALSE(files_.FileNames("C:\\nothing\\"));
}

// --- ReplaceFile -------------------------------------------------------------

TEST_F(PosixFileSystemTest, ReplaceFileWritesNewFilesAndReplacesOldOnesInPlace) {
  temp_.MakeFolder("C:\\Cfg\\Folder");
  temp_.Write("C:\\MSTS\\Conv.INI", "old");
  temp_.Write("C:\\Real\\conv.ini", "old");
  fs::create_symlink(temp_.Host("C:\\Real\\conv.ini"), temp_.Host("C:\\Cfg\\link.ini"));
  EXPECT_TRUE(files_.ReplaceFile("C:\\cfg\\new.ini", "first"));
  EXPECT_EQ(temp_.Read("C:\\Cfg\\new.ini"), "first");
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(Permissions(temp_.Host("C:\\Cfg\\new.ini")), 0666 & ~mask);
  fs::permissions(temp_.Host("C:\\Cfg\\new.ini"), fs::perms(0640));
  const std::string big = std::string(200000, 'z') + '\0' + std::string(200000, 'y');
  EXPECT_TRUE(files_.ReplaceFile("C:\\Cfg\\new.ini", big));
  EXPECT_EQ(files_.ReadFile("C:\\CFG\\NEW.INI"), big);
  EXPECT_EQ(Permissions(temp_.Host("C:\\Cfg\\new.ini")), 0640u);

  // Another letter case names the same file; a link stays a link.
  EXPECT_TRUE(files_.ReplaceFile("c:\\msts\\conv.ini", "new"));
  EXPECT_EQ(OnDisk("C:\\MSTS"), std::set<std::string>{"Conv.INI"});
  EXPECT_EQ(temp_.Read("C:\\MSTS\\Conv.INI"), "new");
  EXPECT_TRUE(files_.ReplaceFile("C:\\Cfg\\LINK.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(temp_.Host("C:\\Cfg\\link.ini")));
  EXPECT_EQ(temp_.Read("C:\\Real\\conv.ini"), "new");

  // Rewritten in place, as another program would, a file has a new stamp.
  const std::optional<FileStamp> stamp = files_.Stamp("C:\\MSTS\\CONV.ini");
  WriteHostFile(temp_.Host("C:\\MSTS\\Conv.INI"), "new!");
  EXPECT_NE(files_.Stamp("C:\\MSTS\\conv.ini"), stamp);
  EXPECT_EQ(files_.Stamp("C:\\Cfg\\Folder"), std::nullopt);

  EXPECT_FALSE(files_.ReplaceFile("C:\\Missing\\a.ini", "x"));
  EXPECT_FALSE(files_.ReplaceFile("C:\\Cfg\\Folder", "x"));
  EXPECT_FALSE(files_.ReplaceFile("C:\\", "x"));
  EXPECT_TRUE(fs::is_directory(temp_.Host("C:\\Cfg\\Folder")));
  EXPECT_EQ(OnDisk("C:\\Cfg"), (std::set<std::string>{"Folder", "link.ini", "new.ini"}));
}

// Runs `body` as a user who may not write to folders owned by root: in a
// child process that drops to "nobody" when we are root, directly otherwise.
// Returns what body returned, or nothing when the child could not run it.
template <typename Body>
std::optional<bool> AsUnprivilegedUser(Body body) {
  if (geteuid() != 0) return body();
  pid_t child = fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    _exit(body() ? 1 : 0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 1) {
    return std::nullopt;
  }
  return WEXITSTATUS(status) == 1;
}

TEST_F(PosixFileSystemTest, ReplaceFileLeavesTheOldFileInAFolderItCannotWrite) {
  temp_.Write("C:\\Locked\\conv.ini", "old content");
  // Others may pass through the temporary folders but write nothing.
  const fs::path folders[] = {temp_.root(), temp_.drive_c(), temp_.Host("C:\\Locked")};
  for (const fs::path& folder : folders) fs::permissions(folder, fs::perms(0555));
  fs::permissions(temp_.Host("C:\\Locked\\conv.ini"), fs::perms(0666));
  auto replaced =
      AsUnprivilegedUser([&] { return files_.ReplaceFile("C:\\locked\\CONV.INI", "new"); });
  for (const fs::path& folder : folders) fs::permissions(folder, fs::perms(0755));
  ASSERT_TRUE(replaced) << "the unprivileged attempt did not run";
  EXPECT_FALSE(*replaced);
  EXPECT_EQ(temp_.Read("C:\\Locked\\conv.ini"), "old content");
  EXPECT_EQ(OnDisk("C:\\Locked"), std::set<std::string>{"conv.ini"});
}

// --- CopyFile, MoveFile, DeleteFile, CreateFolder, ReadFile ------------------

TEST_F(PosixFileSystemTest, CopyFileCopiesHonoursFailIfExistsAndNeverCopiesOntoItself) {
  temp_.Write("C:\\Src\\a.s", "new");
  temp_.Write("C:\\Dst\\A.S", "old");
  fs::permissions(temp_.Host("C:\\Src\\a.s"), fs::perms(0640));
  fs::create_hard_link(temp_.Host("C:\\Src\\a.s"), temp_.Host("C:\\Src\\hard.s"));
  EXPECT_TRUE(files_.CopyFile("c:\\src\\a.s", "C:\\dst\\b.s", true));
  EXPECT_EQ(temp_.Read("C:\\Dst\\b.s"), "new");
  EXPECT_EQ(Permissions(temp_.Host("C:\\Dst\\b.s")), 0640u);
  EXPECT_FALSE(files_.CopyFile("C:\\Src\\a.s", "C:\\Dst\\a.s", true));  // exists as A.S
  EXPECT_EQ(temp_.Read("C:\\Dst\\A.S"), "old");
  EXPECT_TRUE(files_.CopyFile("C:\\Src\\a.s", "C:\\Dst\\a.s", false));
  EXPECT_EQ(temp_.Read("C:\\Dst\\A.S"), "new");
  // Onto itself, by another name or a hard link, it would empty the file.
  for (const char* to : {"c:\\SRC\\A.S", "C:\\Src\\hard.s"}) {
    EXPECT_FALSE(files_.CopyFile("C:\\Src\\a.s", to, false)) << to;
  }
  EXPECT_EQ(temp_.Read("C:\\Src\\a.s"), "new");
  EXPECT_EQ(OnDisk("C:\\Dst"), (std::set<std::string>{"A.S", "b.s"}));
}

TEST_F(PosixFileSystemTest, FoldersAreMovedAndCreatedOneLevelAtATimeButNeverReadNorDeleted) {
  temp_.Write("C:\\A\\one.s", "one");
  temp_.Write("C:\\B\\Two.S", "two");
  temp_.Write("C:\\Old\\x.s", "x");
  EXPECT_EQ(files_.ReadFile("C:\\Old"), std::nullopt);
  EXPECT_FALSE(files_.DeleteFile("C:\\Old"));
  EXPECT_FALSE(files_.CreateFolder("C:\\D\\A"));
  EXPECT_TRUE(files_.CreateFolder("C:\\D\\"));
  EXPECT_FALSE(files_.CreateFolder("C:\\d"));
  // A move never replaces a file, nor moves a folder into itself.
  EXPECT_FALSE(files_.MoveFile("C:\\A\\one.s", "C:\\b\\two.s"));
  EXPECT_EQ(temp_.Read("C:\\B\\Two.S"), "two");
  EXPECT_TRUE(files_.MoveFile("c:\\a\\ONE.S", "C:\\b\\Three.s"));
  EXPECT_EQ(temp_.Read("C:\\B\\Three.s"), "one");
  EXPECT_TRUE(files_.MoveFile("C:\\old", "C:\\b\\Moved"));
  EXPECT_TRUE(files_.MoveFile("C:\\B\\Moved\\x.s", "C:\\B\\Moved\\X.S"));
  EXPECT_EQ(OnDisk("C:\\B\\Moved"), std::set<std::string>{"X.S"});
  EXPECT_FALSE(files_.MoveFile("C:\\B", "C:\\B\\Moved\\Inside"));
}

// --- Files that are not files, read-only files, temporary files, links -------

TEST_F(PosixFileSystemTest, FifosDevicesAndReadOnlyFilesAreNeitherReplacedNorDeleted) {
  temp_.Write("C:\\R\\plain.ref", "plain");
  temp_.Write("C:\\R\\locked.ref", "old");
  fs::permissions(temp_.Host("C:\\R\\locked.ref"), fs::perms(0444));
  ASSERT_EQ(mkfifo(temp_.Host("C:\\R\\R.ref").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", temp_.Host("C:\\R\\zero.ref"));
  for (const char* path : {"C:\\R\\r.ref", "C:\\R\\zero.ref"}) {
    EXPECT_EQ(files_.ReadFile(path), std::nullopt) << path;
    EXPECT_TRUE(files_.IsSpecialFile(path)) << path;
  }
  EXPECT_FALSE(files_.IsSpecialFile("C:\\R\\plain.ref"));
  EXPECT_EQ(Found(files_, "C:\\R\\*.ref"), (Names{"locked.ref", "plain.ref"}));
  for (const char* path : {"C:\\R\\R.ref", "C:\\R\\LOCKED.ref"}) {
    EXPECT_FALSE(files_.ReplaceFile(path, "x")) << path;
    EXPECT_FALSE(files_.CopyFile("C:\\R\\plain.ref", path, false)) << path;
    EXPECT_FALSE(files_.DeleteFile(path)) << path;
  }
  EXPECT_TRUE(fs::is_fifo(temp_.Host("C:\\R\\R.ref")));
  EXPECT_EQ(temp_.Read("C:\\R\\locked.ref"), "old");
  EXPECT_EQ(OnDisk("C:\\R"), (std::set<std::string>{"R.ref", "locked.ref", "plain.ref", "zero.ref"}));
}

TEST_F(PosixFileSystemTest, AFailedWriteKeepsTheOldFileAndOneCutShortIsTakenOverByTheNext) {
  temp_.Write("C:\\Cfg\\conv.ini", "old");
  // A child writes under a file-size limit, whose signal either ends it
  // half-way or is ignored, so that the write fails.
  auto limited_write = [&](bool killed) {
    pid_t child = fork();
    if (child == 0) {
      rlimit none = {0, 0}, small = {4096, 4096};
      setrlimit(RLIMIT_CORE, &none);
      setrlimit(RLIMIT_FSIZE, &small);
      signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
      _exit(files_.ReplaceFile("C:\\Cfg\\conv.ini", std::string(64 * 1024, 'n')) ? 1 : 0);
    }
    int status = -1;
    waitpid(child, &status, 0);
    return status;
  };
  const int failed = limited_write(false);
  EXPECT_TRUE(WIFEXITED(failed) && WEXITSTATUS(failed) == 0);
  EXPECT_EQ(OnDisk("C:\\Cfg"), std::set<std::string>{"conv.ini"});
  for (int run = 0; run < 3; ++run) EXPECT_TRUE(WIFSIGNALED(limited_write(true)));
  EXPECT_EQ(temp_.Read("C:\\Cfg\\conv.ini"), "old");
  EXPECT_EQ(OnDisk("C:\\Cfg"), (std::set<std::string>{".conv.ini.rastolin-tmp", "conv.ini"}));
  EXPECT_TRUE(files_.ReplaceFile("C:\\Cfg\\conv.ini", "new"));
  EXPECT_EQ(OnDisk("C:\\Cfg"), std::set<std::string>{"conv.ini"});

  // A temporary name that is a link is removed, never written through.
  temp_.Write("C:\\Mine\\notes.txt", "mine");
  fs::create_symlink(temp_.Host("C:\\Mine\\notes.txt"), temp_.Host("C:\\Cfg\\.a.s.rastolin-tmp"));
  EXPECT_TRUE(files_.CopyFile("C:\\Cfg\\conv.ini", "C:\\Cfg\\a.s", false));
  EXPECT_EQ(temp_.Read("C:\\Mine\\notes.txt"), "mine");
  EXPECT_EQ(OnDisk("C:\\Cfg"), (std::set<std::string>{"a.s", "conv.ini"}));

  // Another run writing the same target holds the lock: this write fails.
  WriteHostFile(temp_.Host("C:\\Cfg\\.conv.ini.rastolin-tmp"), "");
  const int held = open(temp_.Host("C:\\Cfg\\.conv.ini.rastolin-tmp").c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  EXPECT_FALSE(files_.ReplaceFile("C:\\Cfg\\conv.ini", "other"));
  // Nor is its temporary file removed as one left behind, until it ends.
  files_.RemoveLeftover("C:\\Cfg\\conv.ini");
  EXPECT_TRUE(fs::exists(temp_.Host("C:\\Cfg\\.conv.ini.rastolin-tmp")));
  close(held);
  files_.RemoveLeftover("C:\\Cfg\\conv.ini");
  EXPECT_EQ(OnDisk("C:\\Cfg"), (std::set<std::string>{"a.s", "conv.ini"}));
  EXPECT_EQ(temp_.Read("C:\\Cfg\\conv.ini"), "new");
}

// A lock is one program's, the file it locks replaced or not, until it lets
// go or is killed; a hard link is never appended to. Where a path leads
// through links is checked end to end, by compare's batch file.
TEST_F(PosixFileSystemTest, ALockIsHeldUntilLetGoOrKilledAndAHardLinkIsNeverAppendedTo) {
  temp_.Write("C:\\R\\R.ref", "ref");
  // Whether another lock on it is refused as held.
  const auto held_elsewhere = [&] {
    bool held = false;
    return !Files().LockFile("C:\\R\\R.ref", held) && held;
  };
  bool held = false;
  std::unique_ptr<FileLock> lock = files_.LockFile("C:\\R\\R.ref", held);
  ASSERT_TRUE(lock);
  EXPECT_TRUE(held_elsewhere());
  lock.reset();
  const pid_t child = fork();
  if (child == 0) {
    bool unused = false;
    const std::unique_ptr<FileLock> kept = Files().LockFile("C:\\R\\R.ref", unused);
    pause();
    _exit(0);
  }
  while (!held_elsewhere()) usleep(1000);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(files_.LockFile("C:\\R\\R.ref", held));
  EXPECT_FALSE(files_.LockFile("C:\\R\\none.ref", held));
  EXPECT_FALSE(held);

  fs::create_directories(temp_.Host("C:\\Mine"));
  fs::create_hard_link(temp_.Host("C:\\R\\R.ref"), temp_.Host("C:\\Mine\\other.ref"));
  EXPECT_EQ(files_.Stamp("C:\\R\\R.ref")->links, 2u);
  EXPECT_FALSE(files_.OpenAppend("C:\\Mine\\other.ref"));
}

// A folder that cannot be listed is told from an empty one.
TEST_F(PosixFileSystemTest, FindListedTellsUnreadableFolders) {
  temp_.MakeFolder("C:\\P\\Locked");
  // Others may pass through the folders above it, but not list it.
  for (const fs::path& folder : {temp_.root(), temp_.drive_c(), temp_.Host("C:\\P")})
    fs::permissions(folder, fs::perms(0755));
  fs::permissions(temp_.Host("C:\\P\\Locked"), fs::perms(0));
  auto listed = AsUnprivilegedUser(
      [&] { return files_.FindListed("C:\\P\\Locked\\*", kAnyAttributes).has_value(); });
  fs::permissions(temp_.Host("C:\\P\\Locked"), fs::perms(0755));
  ASSERT_TRUE(listed) << "the unprivileged attempt did not run";
  EXPECT_FALSE(*listed);
  EXPECT_TRUE(files_.FindListed("C:\\P\\Locked\\*.s", kAnyAttributes).has_value());
}

TEST_F(PosixFileSystemTest, LinkOutOfNamesTheLinkThroughWhichAPathLeavesAFolder) {
  temp_.MakeFolder("C:\\MSTS\\ROUTES\\R\\SHAPES");
  temp_.Write("C:\\Outside\\notes.txt", "mine");
  temp_.MakeFolder("C:\\Disk\\R2");
  const auto link = [&](const fs::path& target, const char* at) {
    fs::create_symlink(target, temp_.Host(at));
  };
  link("SHAPES", "C:\\MSTS\\ROUTES\\R\\in");
  link(temp_.Host("C:\\Outside"), "C:\\MSTS\\ROUTES\\R\\out");
  link(temp_.Host("C:\\Outside\\notes.txt"), "C:\\MSTS\\ROUTES\\R\\R.ref");
  link(temp_.Host("C:\\nothing"), "C:\\MSTS\\ROUTES\\R\\dangling");
  link(temp_.Host("C:\\Disk\\R2"), "C:\\MSTS\\ROUTES\\L");
  link("../../MSTS/ROUTES/R", "C:\\Disk\\R2\\up");
  const std::string r = "C:\\MSTS\\ROUTES\\R", l = "C:\\MSTS\\ROUTES\\L";
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {r + "\\in\\a.s", std::nullopt},
      {r + "\\OUT\\a.s", r + "\\OUT"},
      {r + "\\r.ref", r + "\\r.ref"},
      {r + "\\dangling", r + "\\dangling"},
      {l + "\\SHAPES\\a.s", std::nullopt},  // the folder itself is reached through a link
      {l + "\\up\\x.s", l + "\\up"},
  };
  for (const auto& [path, leaving] : cases) {
    EXPECT_EQ(files_.LinkOutOf(path.starts_with(l) ? l : r, path), leaving) << path;
  }
}

TEST_F(PosixFileSystemTest, FolderListingsFollowChangesOnDiskAndTheProgramsOwn) {
  temp_.Write("C:\\F\\Old.S", "");
  const fs::path folder = temp_.Host("C:\\F");
  // A folder last changed long ago: its listing is trusted at once.
  const timespec long_ago[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), long_ago, 0), 0);
  EXPECT_FALSE(files_.FileExists("C:\\F\\new.s"));
  WriteHostFile(folder / "NEW.S", "");
  fs::remove(folder / "Old.S");
  EXPECT_TRUE(files_.FileExists("C:\\F\\new.s"));
  EXPECT_FALSE(files_.FileExists("C:\\F\\old.s"));
  EXPECT_TRUE(files_.ReplaceFile("C:\\F\\Made.s", "m"));
  EXPECT_TRUE(files_.MoveFile("C:\\F\\made.s", "C:\\F\\Moved.s"));
  EXPECT_FALSE(files_.FileExists("C:\\F\\MADE.S"));
  EXPECT_TRUE(files_.DeleteFile("C:\\F\\moved.s"));
  EXPECT_EQ(Found(files_, "c:\\f\\*"), (Names{".", "..", "NEW.S"}));
}

}  // namespace
}  // namespace platform

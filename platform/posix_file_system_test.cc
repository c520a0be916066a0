#include "platform/posix_file_system.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "platform/text.h"
#include "tests/support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using test_support::ReadHostFile;
using test_support::TempPrefix;
using test_support::WriteHostFile;

// The names a folder holds on the host, in byte order.
std::set<std::string> HostNames(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

mode_t Permissions(const fs::path& path) {
  struct stat st;
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

std::vector<std::string> Names(const std::vector<FindEntry>& entries) {
  std::vector<std::string> names;
  for (const auto& entry : entries) names.push_back(entry.name);
  return names;
}

using Listing = std::vector<std::pair<std::string, uint32_t>>;
Listing List(const std::vector<FindEntry>& entries) {
  Listing out;
  for (const auto& entry : entries) out.emplace_back(entry.name, entry.attributes);
  return out;
}

class PosixFileSystemTest : public ::testing::Test {
 protected:
  PosixFileSystem Files(const std::string& current = "C:\\") const {
    return PosixFileSystem(DriveMap(temp_.prefix().string()), current);
  }

  TempPrefix temp_;
};

// --- Resolution --------------------------------------------------------------

TEST_F(PosixFileSystemTest, MatchesEveryComponentWithoutRegardToCase) {
  temp_.Write("C:\\MSTS\\Routes\\MyRoute\\Shapes\\House.S", "shape");
  auto files = Files();
  EXPECT_EQ(files.ReadFile("c:/msts\\ROUTES/myroute\\SHAPES\\house.s"), "shape");
  EXPECT_EQ(files.ToHostPath("c:\\msts/routes\\MYROUTE/shapes\\HOUSE.S"),
            temp_.Host("C:\\MSTS\\Routes\\MyRoute\\Shapes\\House.S").string());
  EXPECT_TRUE(files.FileExists("C:\\msts\\routes\\myroute\\shapes\\house.s"));
  EXPECT_FALSE(files.FolderExists("C:\\msts\\routes\\myroute\\shapes\\house.s"));
  EXPECT_TRUE(files.FolderExists("C:\\msts\\routes\\myroute\\shapes\\"));
  EXPECT_TRUE(files.FolderExists("c:/MSTS//Routes/"));
  EXPECT_FALSE(files.FileExists("C:\\msts\\routes"));
  EXPECT_TRUE(files.FolderExists("C:\\"));
  EXPECT_TRUE(files.FolderExists("c:"));
}

TEST_F(PosixFileSystemTest, TheExactNameWinsWhenSeveralCasesExist) {
  temp_.Write("C:\\Data\\a.txt", "lower");
  temp_.Write("C:\\Data\\A.txt", "upper");
  auto files = Files();
  EXPECT_EQ(files.ReadFile("C:\\Data\\a.txt"), "lower");
  EXPECT_EQ(files.ReadFile("C:\\Data\\A.txt"), "upper");
  EXPECT_EQ(files.ReadFile("C:\\DATA\\A.TXT"), "upper");  // the first in byte order
}

TEST_F(PosixFileSystemTest, NewNamesKeepTheCaseGiven) {
  temp_.MakeFolder("C:\\MSTS");
  auto files = Files();
  EXPECT_TRUE(files.CreateFolder("c:\\msts\\NewRoute"));
  EXPECT_TRUE(fs::is_directory(temp_.Host("C:\\MSTS\\NewRoute")));
  EXPECT_TRUE(files.ReplaceFile("C:\\MSTS\\newroute\\Route.TRK", "trk"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\MSTS\\NewRoute")), std::set<std::string>{"Route.TRK"});
  EXPECT_EQ(files.ToHostPath("c:\\msts\\Missing\\Deeper\\File.S"),
            temp_.Host("C:\\MSTS\\Missing\\Deeper\\File.S").string());
}

TEST_F(PosixFileSystemTest, DotsAreDroppedAndDotDotNeverLeavesTheDrive) {
  temp_.Write("C:\\MSTS\\Routes\\X\\a.s", "a");
  auto files = Files();
  EXPECT_EQ(files.ReadFile("C:\\MSTS\\..\\..\\..\\msts\\routes\\..\\ROUTES\\.\\x\\a.s"), "a");
  EXPECT_EQ(files.ToHostPath("C:\\.."), temp_.drive_c().string());
  EXPECT_EQ(files.ToHostPath("C:\\missing\\..\\MSTS"), temp_.Host("C:\\MSTS").string());
  EXPECT_EQ(files.ToHostPath("C:\\msts\\.\\\\routes\\"), temp_.Host("C:\\MSTS\\Routes").string());
}

TEST_F(PosixFileSystemTest, RelativePathsTakeTheCurrentFolder) {
  temp_.Write("C:\\MSTS\\Routes\\X\\a.s", "a");
  temp_.AddDrive('d', temp_.root() / "data");
  WriteHostFile(temp_.root() / "data" / "d.txt", "d");
  auto files = Files("C:\\MSTS\\Routes");
  EXPECT_EQ(files.CurrentFolder(), "C:\\MSTS\\Routes");
  EXPECT_EQ(files.ReadFile("x\\a.s"), "a");
  EXPECT_EQ(files.ReadFile(".\\X/../x/A.S"), "a");
  EXPECT_EQ(files.ReadFile("c:x\\a.s"), "a");          // X:rel on the current drive
  EXPECT_EQ(files.ReadFile("\\msts\\routes\\x\\a.s"), "a");  // root of the current drive
  EXPECT_EQ(files.ReadFile("/MSTS/Routes/X/a.s"), "a");
  EXPECT_EQ(files.ReadFile("D:d.txt"), "d");  // another drive: from its root
  EXPECT_EQ(files.ToHostPath("D:"), (temp_.root() / "data").string());

  auto on_d = Files("D:\\");
  EXPECT_EQ(on_d.ReadFile("C:msts\\routes\\x\\a.s"), "a");
  EXPECT_EQ(on_d.ReadFile("\\d.txt"), "d");
  EXPECT_EQ(on_d.ReadFile("d.txt"), "d");
}

TEST_F(PosixFileSystemTest, UncPathsAndUnknownDrivesResolveToNothing) {
  temp_.Write("C:\\a.txt", "a");
  auto files = Files();
  for (std::string path : {"\\\\server\\share\\a.txt", "//server/share/a.txt",
                           "\\\\?\\C:\\a.txt", "Q:\\a.txt", "Q:a.txt", ""}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(files.ToHostPath(path), std::nullopt);
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_FALSE(files.FolderExists(path));
    EXPECT_EQ(files.ReadFile(path), std::nullopt);
    EXPECT_FALSE(files.ReplaceFile(path, "x"));
    EXPECT_FALSE(files.CreateFolder(path));
    EXPECT_FALSE(files.DeleteFile(path));
    EXPECT_FALSE(files.CopyFile("C:\\a.txt", path, false));
    EXPECT_FALSE(files.CopyFile(path, "C:\\b.txt", false));
    EXPECT_FALSE(files.MoveFile(path, "C:\\b.txt"));
    EXPECT_FALSE(files.MoveFile("C:\\a.txt", path));
    if (!path.empty()) {
      EXPECT_TRUE(files.Find(path + "\\*", kAnyAttributes).empty());
    }
  }
  EXPECT_EQ(temp_.Read("C:\\a.txt"), "a");
  EXPECT_FALSE(fs::exists(temp_.Host("C:\\b.txt")));
}

TEST_F(PosixFileSystemTest, RelativePathsFailWithoutAUsableCurrentFolder) {
  temp_.Write("C:\\a.txt", "a");
  auto files = Files("");
  EXPECT_FALSE(files.FileExists("a.txt"));
  EXPECT_FALSE(files.FileExists("\\a.txt"));
  EXPECT_TRUE(files.FileExists("C:\\a.txt"));
  EXPECT_TRUE(files.FileExists("C:a.txt"));
}

// --- Host paths --------------------------------------------------------------

TEST_F(PosixFileSystemTest, FromUserPathTurnsHostPathsIntoWindowsPaths) {
  temp_.MakeFolder("C:\\MSTS\\Routes");
  fs::create_symlink(temp_.Host("C:\\MSTS"), temp_.root() / "msts-link");
  auto files = Files();
  const std::string c = temp_.drive_c().string();
  EXPECT_EQ(files.FromUserPath(c), "C:\\");
  EXPECT_EQ(files.FromUserPath(c + "/MSTS/Routes/"), "C:\\MSTS\\Routes");
  EXPECT_EQ(files.FromUserPath(c + "/MSTS/Routes/New Route/a.s"), "C:\\MSTS\\Routes\\New Route\\a.s");
  EXPECT_EQ(files.FromUserPath((temp_.root() / "msts-link" / "Routes").string()),
            "C:\\MSTS\\Routes");
  // No drive holds it, and texts that are Windows paths already.
  EXPECT_EQ(files.FromUserPath(temp_.root().string()), temp_.root().string());
  EXPECT_EQ(files.FromUserPath("C:\\MSTS\\x"), "C:\\MSTS\\x");
  EXPECT_EQ(files.FromUserPath("relative/name"), "relative/name");
  EXPECT_EQ(files.FromUserPath("\\msts"), "\\msts");
  EXPECT_EQ(files.FromUserPath(""), "");
}

TEST_F(PosixFileSystemTest, FromEnvironmentTakesWineprefixAndTheWorkingFolder) {
  temp_.MakeFolder("C:\\Work\\Sub");
  const fs::path old_cwd = fs::current_path();
  const char* old_prefix = getenv("WINEPREFIX");
  const std::string saved_prefix = old_prefix ? old_prefix : "";
  setenv("WINEPREFIX", temp_.prefix().c_str(), 1);

  fs::current_path(temp_.Host("C:\\Work\\Sub"));
  auto files = PosixFileSystem::FromEnvironment();
  fs::current_path(temp_.root());
  auto outside = PosixFileSystem::FromEnvironment();

  fs::current_path(old_cwd);
  if (old_prefix) {
    setenv("WINEPREFIX", saved_prefix.c_str(), 1);
  } else {
    unsetenv("WINEPREFIX");
  }
  ASSERT_TRUE(files);
  EXPECT_EQ(files->CurrentFolder(), "C:\\Work\\Sub");
  EXPECT_TRUE(files->FolderExists("..\\SUB"));
  EXPECT_FALSE(outside);
}

// --- Find ----------------------------------------------------------------------

TEST_F(PosixFileSystemTest, FindSortsWithoutRegardToCaseDotsFirst) {
  for (const char* name : {"b.s", "A.s", "c.S", "a_b.s", "ab.s", "!x.s"}) {
    temp_.Write(std::string("C:\\Shapes\\") + name, "");
  }
  auto files = Files();
  EXPECT_EQ(Names(files.Find("C:\\Shapes\\*", kAnyAttributes)),
            (std::vector<std::string>{".", "..", "!x.s", "A.s", "ab.s", "a_b.s", "b.s", "c.S"}));
  EXPECT_EQ(Names(files.Find("c:/shapes/*.*", kAnyAttributes)),
            (std::vector<std::string>{".", "..", "!x.s", "A.s", "ab.s", "a_b.s", "b.s", "c.S"}));
  EXPECT_EQ(Names(files.Find("C:\\Shapes\\A*", kAnyAttributes)),
            (std::vector<std::string>{"A.s", "ab.s", "a_b.s"}));
}

TEST_F(PosixFileSystemTest, FindOrderAgreesWithLessIgnoreCaseForAnyName) {
  const std::vector<std::string> names = {
      "Вокзал.s", "вокзал2.s", "ВОКЗАЛ_1.s", "ёж.s", "Ёлка.s", "яма.s", "Zebra.s", "zz.s",
      "a\xC0z.s", "A\xC1.s", "straße.s", "STRASSE.s", "\xEF\xBC\xA1.s", "_x.s", "~x.s",
      "Ab", "aB.s", "ab", "1.s", "10.s", "9.s", "\xF0\x9F\x9A\x82.s", "É.s", "e.s", "f.s"};
  fs::create_directory(temp_.drive_c() / "N");
  for (const auto& name : names) WriteHostFile(temp_.drive_c() / "N" / name, "");
  auto found = Files().Find("C:\\N\\*", 0);
  ASSERT_EQ(found.size(), names.size());
  for (size_t i = 1; i < found.size(); ++i) {
    EXPECT_FALSE(LessIgnoreCase(found[i].name, found[i - 1].name))
        << found[i - 1].name << " before " << found[i].name;
  }
}

TEST_F(PosixFileSystemTest, FindGivesDotsEverywhereButAtADrivesRoot) {
  temp_.Write("C:\\Shapes\\a.s", "");
  temp_.Write("C:\\top.txt", "");
  auto files = Files("C:\\Shapes");
  EXPECT_EQ(Names(files.Find("C:\\*", kAnyAttributes)),
            (std::vector<std::string>{"Shapes", "top.txt"}));
  EXPECT_EQ(Names(files.Find("\\*.*", kAnyAttributes)),
            (std::vector<std::string>{"Shapes", "top.txt"}));
  EXPECT_EQ(Names(files.Find("C:\\Shapes\\..\\*", kAnyAttributes)),
            (std::vector<std::string>{"Shapes", "top.txt"}));
  EXPECT_EQ(Names(files.Find("*", kAnyAttributes)),
            (std::vector<std::string>{".", "..", "a.s"}));
  EXPECT_EQ(Names(files.Find("c:*", kAnyAttributes)),
            (std::vector<std::string>{".", "..", "a.s"}));
  EXPECT_EQ(Names(files.Find("*.s", kAnyAttributes)), (std::vector<std::string>{"a.s"}));
  EXPECT_EQ(Names(files.Find("C:\\Shapes\\.", kAnyAttributes)), (std::vector<std::string>{"."}));
  // An empty folder still holds the dots.
  temp_.MakeFolder("C:\\Empty");
  EXPECT_EQ(Names(files.Find("C:\\Empty\\*", kAnyAttributes)),
            (std::vector<std::string>{".", ".."}));
}

TEST_F(PosixFileSystemTest, FindReportsAttributes) {
  temp_.Write("C:\\F\\plain.txt", "");
  temp_.Write("C:\\F\\locked.txt", "");
  temp_.Write("C:\\F\\.hidden", "");
  temp_.MakeFolder("C:\\F\\Sub");
  temp_.MakeFolder("C:\\F\\.git");
  fs::permissions(temp_.Host("C:\\F\\locked.txt"), fs::perms(0444));
  auto files = Files();
  EXPECT_EQ(List(files.Find("C:\\F\\*", kAnyAttributes)),
            (Listing{{".", 16}, {"..", 16}, {".git", 18}, {".hidden", 34},
                     {"locked.txt", 33}, {"plain.txt", 32}, {"Sub", 16}}));
  // The mask: folders without the hidden ones, then plain files alone.
  EXPECT_EQ(List(files.Find("C:\\F\\*", kDirectory)),
            (Listing{{".", 16}, {"..", 16}, {"locked.txt", 33}, {"plain.txt", 32}, {"Sub", 16}}));
  EXPECT_EQ(List(files.Find("C:\\F\\*", 0)), (Listing{{"locked.txt", 33}, {"plain.txt", 32}}));
  EXPECT_EQ(List(files.Find("C:\\F\\*", kHidden)),
            (Listing{{".hidden", 34}, {"locked.txt", 33}, {"plain.txt", 32}}));
  EXPECT_EQ(List(files.Find("C:\\F\\*", kReadOnly)), (Listing{{"locked.txt", 33}, {"plain.txt", 32}}));
}

TEST_F(PosixFileSystemTest, FindFollowsSymbolicLinksAndSkipsBrokenOnes) {
  temp_.MakeFolder("C:\\Real");
  temp_.Write("C:\\file.txt", "x");
  temp_.MakeFolder("C:\\L");
  fs::create_symlink(temp_.Host("C:\\Real"), temp_.Host("C:\\L\\folder-link"));
  fs::create_symlink(temp_.Host("C:\\file.txt"), temp_.Host("C:\\L\\file-link"));
  fs::create_symlink(temp_.Host("C:\\nothing"), temp_.Host("C:\\L\\broken-link"));
  auto files = Files();
  EXPECT_EQ(List(files.Find("C:\\L\\*", kAnyAttributes)),
            (Listing{{".", 16}, {"..", 16}, {"file-link", 32}, {"folder-link", 16}}));
}

TEST_F(PosixFileSystemTest, FindMatchesFoldersAndFilesAlike) {
  temp_.MakeFolder("C:\\T\\x.tga");
  temp_.Write("C:\\T\\Y.TGA", "");
  temp_.Write("C:\\T\\z.tgax", "");
  temp_.Write("C:\\T\\noext", "");
  auto files = Files();
  EXPECT_EQ(List(files.Find("C:\\T\\*.tga", kAnyAttributes)), (Listing{{"x.tga", 16}, {"Y.TGA", 32}}));
  EXPECT_EQ(List(files.Find("C:\\T\\*.tga", 0)), (Listing{{"Y.TGA", 32}}));
  EXPECT_EQ(Names(files.Find("C:\\T\\*.*", 0)),
            (std::vector<std::string>{"noext", "Y.TGA", "z.tgax"}));
}

TEST_F(PosixFileSystemTest, FindWithoutWildcardsGivesTheOneName) {
  temp_.Write("C:\\T\\House.S", "");
  temp_.Write("C:\\T\\House.SD", "");
  auto files = Files();
  EXPECT_EQ(Names(files.Find("C:\\T\\House.S", kAnyAttributes)), (std::vector<std::string>{"House.S"}));
  EXPECT_EQ(Names(files.Find("c:\\t\\house.s", kAnyAttributes)), (std::vector<std::string>{"House.S"}));
  EXPECT_EQ(Names(files.Find("C:\\T", kAnyAttributes)), (std::vector<std::string>{"T"}));
  EXPECT_TRUE(files.Find("C:\\T", 0).empty());  // a folder, not admitted by the mask
  EXPECT_TRUE(files.Find("C:\\T\\house", kAnyAttributes).empty());
}

TEST_F(PosixFileSystemTest, FindInAMissingFolderIsEmpty) {
  temp_.Write("C:\\T\\a.s", "");
  auto files = Files();
  EXPECT_TRUE(files.Find("C:\\Missing\\*", kAnyAttributes).empty());
  EXPECT_TRUE(files.Find("C:\\T\\a.s\\*", kAnyAttributes).empty());
  EXPECT_TRUE(files.Find("C:\\T\\", kAnyAttributes).empty());
}

TEST_F(PosixFileSystemTest, FindQuestionMarkMatchesOneCyrillicLetter) {
  for (const char* name : {"дом1.3ds", "ДОМ2.3DS", "дом12.3ds", "дом.3ds", "домЯ.3ds"}) {
    temp_.Write(std::string("C:\\Модели\\") + name, "");
  }
  auto files = Files();
  EXPECT_EQ(Names(files.Find("c:\\модели\\дом?.3ds", kAnyAttributes)),
            (std::vector<std::string>{"дом1.3ds", "ДОМ2.3DS", "домЯ.3ds"}));
  EXPECT_EQ(Names(files.Find("C:\\МОДЕЛИ\\ДОМ*", kAnyAttributes)),
            (std::vector<std::string>{"дом.3ds", "дом1.3ds", "дом12.3ds", "ДОМ2.3DS", "домЯ.3ds"}));
}

// --- ReplaceFile -------------------------------------------------------------

TEST_F(PosixFileSystemTest, ReplaceFileWritesNewAndReplacesOldFiles) {
  temp_.MakeFolder("C:\\Cfg");
  auto files = Files();
  EXPECT_TRUE(files.ReplaceFile("C:\\cfg\\new.ini", "first"));
  EXPECT_EQ(temp_.Read("C:\\Cfg\\new.ini"), "first");
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(Permissions(temp_.Host("C:\\Cfg\\new.ini")), 0666 & ~mask);

  fs::permissions(temp_.Host("C:\\Cfg\\new.ini"), fs::perms(0640));
  const std::string big(300000, 'z');
  EXPECT_TRUE(files.ReplaceFile("C:\\Cfg\\new.ini", big));
  EXPECT_EQ(temp_.Read("C:\\Cfg\\new.ini"), big);
  EXPECT_EQ(Permissions(temp_.Host("C:\\Cfg\\new.ini")), 0640u);
  EXPECT_TRUE(files.ReplaceFile("C:\\Cfg\\new.ini", ""));
  EXPECT_EQ(files.ReadFile("C:\\Cfg\\new.ini"), "");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")), std::set<std::string>{"new.ini"});
}

TEST_F(PosixFileSystemTest, StampsTellARewrittenFileFromTheOldOne) {
  temp_.Write("C:\\out\\a.ace", "old");
  temp_.MakeFolder("C:\\out\\sub");
  auto files = Files();
  auto before = files.Stamp("C:\\OUT\\A.ACE");
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->size, 3);
  EXPECT_EQ(files.Stamp("C:\\out\\a.ace"), before);
  // In place, as a tool writing its output would.
  test_support::WriteHostFile(temp_.Host("C:\\out\\a.ace"), "new!");
  EXPECT_NE(files.Stamp("C:\\out\\a.ace"), before);
  auto rewritten = files.Stamp("C:\\out\\a.ace");
  ASSERT_TRUE(files.ReplaceFile("C:\\out\\a.ace", "new!"));
  EXPECT_NE(files.Stamp("C:\\out\\a.ace"), rewritten);
  EXPECT_EQ(files.Stamp("C:\\out\\sub"), std::nullopt);
  EXPECT_EQ(files.Stamp("C:\\out\\missing"), std::nullopt);
}

TEST_F(PosixFileSystemTest, ReplaceFileNamedInOtherCaseKeepsOneFile) {
  temp_.Write("C:\\MSTS\\Conv.INI", "old");
  auto files = Files();
  EXPECT_TRUE(files.ReplaceFile("c:\\msts\\conv.ini", "new"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\MSTS")), std::set<std::string>{"Conv.INI"});
  EXPECT_EQ(temp_.Read("C:\\MSTS\\Conv.INI"), "new");
}

TEST_F(PosixFileSystemTest, ReplaceFileThroughALinkKeepsTheLink) {
  temp_.Write("C:\\Real\\conv.ini", "old");
  temp_.MakeFolder("C:\\Other");
  fs::create_symlink(temp_.Host("C:\\Real\\conv.ini"), temp_.Host("C:\\Other\\conv.ini"));
  auto files = Files();
  EXPECT_TRUE(files.ReplaceFile("C:\\Other\\conv.ini", "new"));
  EXPECT_TRUE(fs::is_symlink(temp_.Host("C:\\Other\\conv.ini")));
  EXPECT_EQ(temp_.Read("C:\\Real\\conv.ini"), "new");
}

TEST_F(PosixFileSystemTest, ReplaceFileFailsCleanly) {
  temp_.MakeFolder("C:\\Cfg\\Folder");
  auto files = Files();
  EXPECT_FALSE(files.ReplaceFile("C:\\Missing\\a.ini", "x"));
  EXPECT_FALSE(files.ReplaceFile("C:\\Cfg\\Folder", "x"));
  EXPECT_FALSE(files.ReplaceFile("C:\\", "x"));
  EXPECT_TRUE(fs::is_directory(temp_.Host("C:\\Cfg\\Folder")));
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")), std::set<std::string>{"Folder"});
}

TEST_F(PosixFileSystemTest, ReplaceFileLeavesTheOldFileWhenAWriteFails) {
  // A file-size limit makes the write of the temporary file fail half-way.
  temp_.Write("C:\\Cfg\\conv.ini", "old content");
  auto files = Files();
  const std::string big(64 * 1024, 'n');
  rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool replaced = files.ReplaceFile("C:\\Cfg\\conv.ini", big);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(replaced);
  EXPECT_EQ(temp_.Read("C:\\Cfg\\conv.ini"), "old content");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")), std::set<std::string>{"conv.ini"});
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
  for (const fs::path& folder : {temp_.root(), temp_.drive_c(), temp_.Host("C:\\Locked")}) {
    fs::permissions(folder, fs::perms(0555));
  }
  fs::permissions(temp_.Host("C:\\Locked\\conv.ini"), fs::perms(0666));
  auto files = Files();
  auto replaced = AsUnprivilegedUser([&] { return files.ReplaceFile("C:\\locked\\CONV.INI", "new"); });
  for (const fs::path& folder : {temp_.root(), temp_.drive_c(), temp_.Host("C:\\Locked")}) {
    fs::permissions(folder, fs::perms(0755));
  }
  ASSERT_TRUE(replaced) << "the unprivileged attempt did not run";
  EXPECT_FALSE(*replaced);
  EXPECT_EQ(temp_.Read("C:\\Locked\\conv.ini"), "old content");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Locked")), std::set<std::string>{"conv.ini"});
}

// --- CopyFile, MoveFile, DeleteFile, CreateFolder -----------------------------

TEST_F(PosixFileSystemTest, CopyFileCopiesAndHonoursFailIfExists) {
  temp_.Write("C:\\Src\\a.s", "new");
  temp_.Write("C:\\Dst\\A.S", "old");
  fs::permissions(temp_.Host("C:\\Src\\a.s"), fs::perms(0640));
  auto files = Files();
  EXPECT_TRUE(files.CopyFile("c:\\src\\a.s", "C:\\dst\\b.s", true));
  EXPECT_EQ(temp_.Read("C:\\Dst\\b.s"), "new");
  EXPECT_EQ(Permissions(temp_.Host("C:\\Dst\\b.s")), 0640u);

  EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "C:\\Dst\\a.s", true));  // exists as A.S
  EXPECT_EQ(temp_.Read("C:\\Dst\\A.S"), "old");
  EXPECT_TRUE(files.CopyFile("C:\\Src\\a.s", "C:\\Dst\\a.s", false));
  EXPECT_EQ(temp_.Read("C:\\Dst\\A.S"), "new");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Dst")), (std::set<std::string>{"A.S", "b.s"}));
  EXPECT_EQ(HostNames(temp_.Host("C:\\Src")), std::set<std::string>{"a.s"});
}

TEST_F(PosixFileSystemTest, CopyFileOntoItselfFailsAndKeepsTheFile) {
  temp_.Write("C:\\Src\\a.s", "content");
  fs::create_hard_link(temp_.Host("C:\\Src\\a.s"), temp_.Host("C:\\Src\\hard.s"));
  auto files = Files();
  for (bool fail_if_exists : {false, true}) {
    EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "C:\\Src\\a.s", fail_if_exists));
    EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "c:\\SRC\\A.S", fail_if_exists));
    EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "C:\\Src\\hard.s", fail_if_exists));
  }
  EXPECT_EQ(temp_.Read("C:\\Src\\a.s"), "content");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Src")), (std::set<std::string>{"a.s", "hard.s"}));
}

TEST_F(PosixFileSystemTest, CopyFileFailsForMissingFilesAndFolders) {
  temp_.Write("C:\\Src\\a.s", "content");
  temp_.MakeFolder("C:\\Dst\\Sub");
  auto files = Files();
  EXPECT_FALSE(files.CopyFile("C:\\Src\\missing.s", "C:\\Dst\\x.s", false));
  EXPECT_FALSE(files.CopyFile("C:\\Src", "C:\\Dst\\x", false));
  EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "C:\\Dst\\Sub", false));
  EXPECT_FALSE(files.CopyFile("C:\\Src\\a.s", "C:\\Nowhere\\a.s", false));
  EXPECT_EQ(HostNames(temp_.Host("C:\\Dst")), std::set<std::string>{"Sub"});
  EXPECT_TRUE(fs::is_empty(temp_.Host("C:\\Dst\\Sub")));
}

TEST_F(PosixFileSystemTest, MoveFileNeverReplaces) {
  temp_.Write("C:\\A\\one.s", "one");
  temp_.Write("C:\\B\\Two.S", "two");
  auto files = Files();
  EXPECT_FALSE(files.MoveFile("C:\\A\\one.s", "C:\\B\\Two.S"));
  EXPECT_FALSE(files.MoveFile("C:\\A\\one.s", "C:\\b\\two.s"));
  EXPECT_EQ(temp_.Read("C:\\A\\one.s"), "one");
  EXPECT_EQ(temp_.Read("C:\\B\\Two.S"), "two");

  EXPECT_TRUE(files.MoveFile("c:\\a\\ONE.S", "C:\\b\\Three.s"));
  EXPECT_FALSE(fs::exists(temp_.Host("C:\\A\\one.s")));
  EXPECT_EQ(temp_.Read("C:\\B\\Three.s"), "one");
  EXPECT_FALSE(files.MoveFile("C:\\A\\one.s", "C:\\B\\Four.s"));  // gone now
}

TEST_F(PosixFileSystemTest, MoveFileMovesFoldersAndChangesLetterCase) {
  temp_.Write("C:\\Old\\x.s", "x");
  temp_.MakeFolder("C:\\Target");
  auto files = Files();
  EXPECT_TRUE(files.MoveFile("C:\\old", "C:\\TARGET\\Moved"));
  EXPECT_EQ(temp_.Read("C:\\Target\\Moved\\x.s"), "x");
  EXPECT_TRUE(files.MoveFile("C:\\Target\\Moved\\x.s", "C:\\Target\\Moved\\X.S"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\Target\\Moved")), std::set<std::string>{"X.S"});
  EXPECT_FALSE(files.MoveFile("C:\\Target\\Moved\\X.S", "C:\\Target\\Moved\\X.S"));
  EXPECT_FALSE(files.MoveFile("C:\\Target", "C:\\Target\\Moved\\Inside"));
  EXPECT_FALSE(files.MoveFile("C:\\", "C:\\Elsewhere"));
}

TEST_F(PosixFileSystemTest, MoveFileCopiesFilesAcrossDevices) {
  std::string shm = "/dev/shm/rastolin-test-XXXXXX";
  if (!fs::is_directory("/dev/shm") || !mkdtemp(shm.data())) GTEST_SKIP() << "no /dev/shm";
  struct stat a, b;
  if (stat(shm.c_str(), &a) != 0 || stat(temp_.root().c_str(), &b) != 0 || a.st_dev == b.st_dev) {
    fs::remove_all(shm);
    GTEST_SKIP() << "/dev/shm is on the same device";
  }
  temp_.AddDrive('r', shm);
  temp_.Write("C:\\a.s", "across");
  WriteHostFile(fs::path(shm) / "taken.s", "taken");
  auto files = Files();
  EXPECT_FALSE(files.MoveFile("C:\\a.s", "R:\\TAKEN.S"));
  EXPECT_TRUE(files.MoveFile("C:\\a.s", "R:\\b.s"));
  EXPECT_EQ(ReadHostFile(fs::path(shm) / "b.s"), "across");
  EXPECT_FALSE(fs::exists(temp_.Host("C:\\a.s")));
  EXPECT_EQ(HostNames(shm), (std::set<std::string>{"b.s", "taken.s"}));
  fs::remove_all(shm);
}

TEST_F(PosixFileSystemTest, DeleteFileDeletesFilesOnly) {
  temp_.Write("C:\\D\\File.S", "x");
  temp_.MakeFolder("C:\\D\\Sub");
  auto files = Files();
  EXPECT_FALSE(files.DeleteFile("C:\\D\\Sub"));
  EXPECT_FALSE(files.DeleteFile("C:\\D\\missing.s"));
  EXPECT_TRUE(files.DeleteFile("c:\\d\\file.s"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\D")), std::set<std::string>{"Sub"});
}

TEST_F(PosixFileSystemTest, CreateFolderMakesOneLevel) {
  temp_.MakeFolder("C:\\MSTS");
  auto files = Files();
  EXPECT_FALSE(files.CreateFolder("C:\\MSTS\\A\\B"));
  EXPECT_TRUE(files.CreateFolder("C:\\MSTS\\A\\"));
  EXPECT_TRUE(files.CreateFolder("C:\\msts\\a\\B"));
  EXPECT_TRUE(fs::is_directory(temp_.Host("C:\\MSTS\\A\\B")));
  EXPECT_FALSE(files.CreateFolder("C:\\MSTS\\a"));  // exists as A
  EXPECT_FALSE(files.CreateFolder("C:\\"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\MSTS")), std::set<std::string>{"A"});
}

TEST_F(PosixFileSystemTest, ReadFileReadsWholeFilesButNotFolders) {
  std::string bytes(200000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  temp_.Write("C:\\R\\data.bin", bytes);
  auto files = Files();
  EXPECT_EQ(files.ReadFile("C:\\R\\DATA.BIN"), bytes);
  EXPECT_EQ(files.ReadFile("C:\\R"), std::nullopt);
  EXPECT_EQ(files.ReadFile("C:\\R\\none"), std::nullopt);
}

// --- Files that are not files, read-only files, temporary files, links -------

TEST_F(PosixFileSystemTest, FifosAndDevicesAreNeitherReadNorWritten) {
  temp_.Write("C:\\R\\plain.ref", "plain");
  ASSERT_EQ(mkfifo(temp_.Host("C:\\R\\R.ref").c_str(), 0644), 0);
  fs::create_symlink("/dev/zero", temp_.Host("C:\\R\\zero.ref"));
  auto files = Files();
  for (const char* path : {"C:\\R\\r.ref", "C:\\R\\zero.ref"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(files.ReadFile(path), std::nullopt);
    EXPECT_FALSE(files.FileExists(path));
    EXPECT_TRUE(files.IsSpecialFile(path));
    EXPECT_EQ(files.Stamp(path), std::nullopt);
    EXPECT_FALSE(files.CopyFile(path, "C:\\R\\copy.ref", false));
  }
  EXPECT_FALSE(files.IsSpecialFile("C:\\R\\plain.ref"));
  EXPECT_FALSE(files.IsSpecialFile("C:\\R"));
  EXPECT_EQ(Names(files.Find("C:\\R\\*.ref", kAnyAttributes)), std::vector<std::string>{"plain.ref"});
  EXPECT_TRUE(files.Find("C:\\R\\R.ref", kAnyAttributes).empty());
  EXPECT_FALSE(files.ReplaceFile("C:\\R\\R.ref", "x"));
  EXPECT_FALSE(files.CopyFile("C:\\R\\plain.ref", "C:\\R\\R.ref", false));
  EXPECT_FALSE(files.DeleteFile("C:\\R\\R.ref"));
  EXPECT_TRUE(fs::is_fifo(temp_.Host("C:\\R\\R.ref")));
  EXPECT_EQ(HostNames(temp_.Host("C:\\R")), (std::set<std::string>{"R.ref", "plain.ref", "zero.ref"}));
}

TEST_F(PosixFileSystemTest, ReadOnlyFilesAreNeitherReplacedNorDeleted) {
  temp_.Write("C:\\R\\R.ref", "old");
  temp_.Write("C:\\R\\new.s", "new");
  fs::permissions(temp_.Host("C:\\R\\R.ref"), fs::perms(0444));
  auto files = Files();
  EXPECT_FALSE(files.ReplaceFile("C:\\R\\r.ref", "x"));
  EXPECT_FALSE(files.CopyFile("C:\\R\\new.s", "C:\\R\\R.ref", false));
  EXPECT_FALSE(files.DeleteFile("C:\\R\\R.ref"));
  EXPECT_EQ(temp_.Read("C:\\R\\R.ref"), "old");
  EXPECT_EQ(HostNames(temp_.Host("C:\\R")), (std::set<std::string>{"R.ref", "new.s"}));
  fs::permissions(temp_.Host("C:\\R\\R.ref"), fs::perms(0644));
  EXPECT_TRUE(files.ReplaceFile("C:\\R\\r.ref", "x"));
}

TEST_F(PosixFileSystemTest, AWriteCutShortLeavesOneTemporaryFileThatTheNextWriteTakesOver) {
  temp_.Write("C:\\Cfg\\conv.ini", "old");
  auto files = Files();
  const std::string big(64 * 1024, 'n');
  // Killed half-way, three times over: the file-size limit ends the child.
  for (int run = 0; run < 3; ++run) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      rlimit none = {0, 0}, small = {4096, 4096};
      setrlimit(RLIMIT_CORE, &none);
      setrlimit(RLIMIT_FSIZE, &small);
      signal(SIGXFSZ, SIG_DFL);
      files.ReplaceFile("C:\\Cfg\\conv.ini", big);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
  }
  EXPECT_EQ(temp_.Read("C:\\Cfg\\conv.ini"), "old");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")),
            (std::set<std::string>{".conv.ini.rastolin-tmp", "conv.ini"}));
  EXPECT_TRUE(files.ReplaceFile("C:\\Cfg\\conv.ini", "new"));
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")), std::set<std::string>{"conv.ini"});

  // A temporary name that is a link is removed, never written through.
  temp_.Write("C:\\Mine\\notes.txt", "mine");
  fs::create_symlink(temp_.Host("C:\\Mine\\notes.txt"), temp_.Host("C:\\Cfg\\.a.s.rastolin-tmp"));
  EXPECT_TRUE(files.CopyFile("C:\\Cfg\\conv.ini", "C:\\Cfg\\a.s", false));
  EXPECT_EQ(temp_.Read("C:\\Mine\\notes.txt"), "mine");
  EXPECT_EQ(HostNames(temp_.Host("C:\\Cfg")), (std::set<std::string>{"a.s", "conv.ini"}));

  // Another run writing the same target holds the lock: this write fails.
  WriteHostFile(temp_.Host("C:\\Cfg\\.conv.ini.rastolin-tmp"), "");
  const int held = open(temp_.Host("C:\\Cfg\\.conv.ini.rastolin-tmp").c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  EXPECT_FALSE(files.ReplaceFile("C:\\Cfg\\conv.ini", "other"));
  close(held);
  EXPECT_EQ(temp_.Read("C:\\Cfg\\conv.ini"), "new");
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
  auto files = Files();
  const std::string r = "C:\\MSTS\\ROUTES\\R";
  const struct {
    std::string folder, path;
    std::optional<std::string> leaving;
  } cases[] = {
      {r, r + "\\SHAPES\\a.s", std::nullopt},
      {r, r + "\\in\\a.s", std::nullopt},
      {r, r + "\\new\\a.s", std::nullopt},
      {r, r + "\\OUT\\a.s", r + "\\OUT"},
      {r + "\\", r + "\\r.ref", r + "\\r.ref"},
      {r, r + "\\dangling", r + "\\dangling"},
      {r, "C:\\Outside\\notes.txt", std::nullopt},
      {"c:\\msts\\routes\\l", "C:\\MSTS\\ROUTES\\L\\SHAPES\\a.s", std::nullopt},
      {"C:\\MSTS\\ROUTES\\L", "C:\\MSTS\\ROUTES\\L\\up\\x.s", "C:\\MSTS\\ROUTES\\L\\up"},
  };
  for (const auto& c : cases) EXPECT_EQ(files.LinkOutOf(c.folder, c.path), c.leaving) << c.path;
}

TEST_F(PosixFileSystemTest, FolderListingsFollowChangesOnDiskAndTheProgramsOwn) {
  temp_.Write("C:\\F\\Old.S", "");
  const fs::path folder = temp_.Host("C:\\F");
  // A folder last changed long ago: its listing is trusted at once.
  const timespec long_ago[2] = {{1'000'000'000, 0}, {1'000'000'000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, folder.c_str(), long_ago, 0), 0);
  auto files = Files();
  EXPECT_TRUE(files.FileExists("C:\\F\\old.s"));
  EXPECT_FALSE(files.FileExists("C:\\F\\new.s"));
  WriteHostFile(folder / "NEW.S", "");
  fs::remove(folder / "Old.S");
  EXPECT_TRUE(files.FileExists("C:\\F\\new.s"));
  EXPECT_FALSE(files.FileExists("C:\\F\\old.s"));

  EXPECT_TRUE(files.ReplaceFile("C:\\F\\Made.s", "m"));
  EXPECT_TRUE(files.FileExists("C:\\F\\MADE.S"));
  EXPECT_TRUE(files.MoveFile("C:\\F\\made.s", "C:\\F\\Moved.s"));
  EXPECT_FALSE(files.FileExists("C:\\F\\MADE.S"));
  EXPECT_TRUE(files.CopyFile("C:\\F\\MOVED.S", "C:\\F\\Copy.s", true));
  EXPECT_TRUE(files.DeleteFile("C:\\F\\moved.s"));
  EXPECT_TRUE(files.CreateFolder("C:\\F\\Sub"));
  EXPECT_EQ(Names(files.Find("c:\\f\\*", 0)), (std::vector<std::string>{"Copy.s", "NEW.S"}));
  EXPECT_TRUE(files.FolderExists("C:\\F\\SUB"));
  EXPECT_EQ(HostNames(folder), (std::set<std::string>{"Copy.s", "NEW.S", "Sub"}));
}

// --- Large folders -----------------------------------------------------------

TEST_F(PosixFileSystemTest, LargeFoldersResolveAndList) {
  constexpr int kCount = 10000;
  temp_.MakeFolder("C:\\Big");
  const fs::path big = temp_.Host("C:\\Big");
  for (int i = 0; i < kCount; ++i) WriteHostFile(big / ("File" + std::to_string(i) + ".s"), "");
  auto files = Files();
  for (int i = 0; i < kCount; i += 97) {
    ASSERT_TRUE(files.FileExists("C:\\Big\\File" + std::to_string(i) + ".s"));
  }
  EXPECT_TRUE(files.FileExists("c:\\big\\FILE123.S"));
  auto all = files.Find("C:\\Big\\*.s", kAnyAttributes);
  ASSERT_EQ(all.size(), static_cast<size_t>(kCount));
  EXPECT_EQ(all.front().name, "File0.s");
  EXPECT_EQ(files.Find("C:\\Big\\file123?.S", kAnyAttributes).size(), 10u);
}

}  // namespace
}  // namespace platform

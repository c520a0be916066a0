// Clearing a route and comparing it from the console of the built program:
// the .ref bytes each command leaves, the files moved into the backup
// folder, and the questions and choice lists answered on standard input.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>

#include "tests/e2e/end_to_end.h"
#include "demo/binary_tokens.h"
#include "tests/support/msts_text.h"

#ifdef _WIN32
#include "platform/win32_handle.h"
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace e2e {
namespace {

const std::string kRoute = "C:\\MSTS\\ROUTES\\MyRoute\\";
const std::string kBackup = kRoute + "Rastolin_backups\\";
const std::string kAsk = "Delete textures, used in shapes? [y/n] ";
const std::string kAskFiles = "Delete files? [y/n] " + kAsk;
const std::string kChoose = "Select rows (1 3 5-7, all, none; empty to cancel): ";
// The batch of copy commands the fixture's route gets.
const std::string kCopy =
    "copy \"EUROPE1\\SHAPES\\shed.s\" \"MyRoute\\SHAPES\\shed.s\"\n"
    "copy \"USA1\\SHAPES\\car.s\" \"MyRoute\\SHAPES\\car.s\"\n";
const std::string kChooseAdd = "Select rows (1 3 5-7, all, none, add 1 3; empty to cancel): ";
const std::string kMovedTo = "The files taken out lie in " + kBackup + "\n";
// What delentry of entry 2, the shed, and of entry 5, the tower, takes out.
const std::string kShedDeleted = kRoute +
                                 "SHAPES\\shed.s: shape deleted\nbrick.ace: texture deleted\n"
                                 "roof.ace: texture deleted\nSNOW\\roof.ace: texture deleted\n";
const std::string kTowerDeleted = kRoute + "SHAPES\\tower.s: shape deleted\ntower.ace: texture deleted\n";

// A Unicode name, a shape and its duplicate, a dangling entry, an unused
// one, a hazard and a shape only the car spawner names.
const std::string kEntries[] = {
    "Static (\r\n\tFileName ( Барак.s )\r\n\tDescription ( \"Старый барак\" )\r\n)\r\n",
    "Static (\r\n\tFileName ( shed.s )\r\n)\r\n",
    "Static (\r\n\tFileName ( SHED.S )\r\n)\r\n",
    "Static (\r\n\tFileName ( lost.s )\r\n)\r\n",
    "Static (\r\n\tFileName ( tower.s )\r\n)\r\n",
    "Hazard (\r\n\tFileName ( deer.haz )\r\n)\r\n",
    "Static (\r\n\tFileName ( car.s )\r\n)\r\n",
};

// The .ref file with the entries but those numbered (from 1) `removed`.
std::string Ref(std::initializer_list<int> removed = {}, const std::string& added = "") {
  std::string text;
  for (int number = 1; number <= 7; ++number) {
    if (std::find(removed.begin(), removed.end(), number) == removed.end())
      text += kEntries[number - 1];
  }
  return MstsFile("t1", text + added);
}
std::string Shape(const std::vector<std::string>& images) {
  std::string text = "shape (\r\n\timages ( " + std::to_string(images.size()) + "\r\n";
  for (const std::string& image : images) text += "\t\timage ( " + image + " )\r\n";
  return MstsFile("s1", text + "\t)\r\n)\r\n");
}

class ClearingEndToEnd : public EndToEnd {
 protected:
  ClearingEndToEnd() {
    Settings("1");
    prefix.Write(kRoute + "MyRoute.ref", Ref());
    prefix.Write(kRoute + "carspawn.dat", MstsFile("s1", "1\r\nCarSpawnerItem ( \"car.s\" 12 )\r\n"));
    prefix.Write(kRoute + "WORLD\\w-000001+000001.w",
                 MstsFile("s1", "Tr_Worldfile (\r\n\tStatic ( FileName ( Барак.s ) )\r\n"
                         "\tStatic ( FileName ( Shed.s ) )\r\n)\r\n"));
    for (const char* shape : {"Барак.s", "car.s", "extra.s", "orphan.s"})
      prefix.Write(kRoute + "SHAPES\\" + shape, MstsFile("s1", "shape ( )\r\n"));
    prefix.Write(kRoute + "SHAPES\\shed.s", Shape({"brick.ace", "roof.ace"}));
    prefix.Write(kRoute + "SHAPES\\shed.thm", "thumbnail");
    prefix.Write(kRoute + "SHAPES\\tower.s", Shape({"tower.ace"}));
    prefix.Write(kRoute + "SHAPES\\tower.sd", "tower sd");
    for (const char* texture : {"brick.ace", "roof.ace", "SNOW\\roof.ace", "tower.ace"})
      prefix.Write(kRoute + "TEXTURES\\" + texture, texture);
    // The shed is EUROPE1's, which comes before USA1.
    prefix.Write("C:\\MSTS\\ROUTES\\EUROPE1\\SHAPES\\Shed.s", "");
    prefix.Write("C:\\MSTS\\ROUTES\\USA1\\SHAPES\\shed.s", "");
    prefix.Write("C:\\MSTS\\ROUTES\\USA1\\SHAPES\\car.s", "");
    prefix.Write("C:\\MSTS\\ROUTES\\USA1\\TEXTURES\\brick.ace", "");
    prefix.Write("C:\\MSTS\\ROUTES\\USA2\\SHAPES\\tower.sd", "");
  }
};

TEST_F(ClearingEndToEnd, ListrefNumbersTheEntriesAndRefusesWhatItCannotRead) {
  ProgramRun run = Interactive("listref(-route=MYROUTE;-props=description  filename)\n"
                               "listref(-route=myroute)\n");
  EXPECT_EQ(run.output,
            kBanner + kPrompt +
                "1  Старый барак -  - Барак.s\n2   -  - shed.s\n3   -  - SHED.S\n"
                "4   -  - lost.s\n5   -  - tower.s\n6   -  - deer.haz\n7   -  - car.s\n" +
                kPrompt +
                "1  Старый барак - Барак.s\n2   - shed.s\n3   - SHED.S\n4   - lost.s\n"
                "5   - tower.s\n6   - deer.haz\n7   - car.s\n" +
                kPrompt);
  prefix.Write(kRoute + "MyRoute.ref", Ref().substr(0, 100));
  EXPECT_EQ(Run({"delunex(-route=myroute)"}).exit_code, 2);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref().substr(0, 100));
}

TEST_F(ClearingEndToEnd, DeldupAndDelunexRemoveDuplicatesAndEntriesWithoutAShape) {
  EXPECT_EQ(Run({"deldup(-route=myroute)"}).output,
            kBanner + "Deleted SHED.S\nDeleted 1 duplicated entries\n" + kEnd);
  EXPECT_EQ(Run({"delunex(-route=myroute)"}).output,
            kBanner + "lost.s\nDeleted 1 unexisting file entries\n" + kEnd);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref({3, 4}));
}

// A SHAPES folder that cannot be listed would make every entry look
// dangling; a .ref that cannot be replaced is found before a file moves.
TEST_F(ClearingEndToEnd, AJobThatCannotFinishRemovesAndMovesNothing) {
  namespace fs = std::filesystem;
  const fs::path shapes = prefix.Host(kRoute + "SHAPES"), ref = prefix.Host(kRoute + "MyRoute.ref");
  const std::string unlisted = "The folder " + kRoute + "SHAPES\\ cannot be read, so nothing is "
                               "done: what it holds would count as missing\n";
  const std::string kept = kRoute + "MyRoute.ref cannot be replaced (it is read-only, or its folder "
                           "cannot be written), so nothing is removed or moved\n";
  // SHAPES moved aside, and back.
  const auto aside = [&](bool on) {
    fs::rename(on ? shapes : shapes.parent_path() / "Kept", on ? shapes.parent_path() / "Kept" : shapes);
  };
  const struct {
    std::function<void(bool)> block;
    std::string command, output;
  } cases[] = {
      {aside, "delunex(-route=myroute)", unlisted},
      {[&](bool on) { fs::permissions(ref, fs::perms::owner_write,
                                      on ? fs::perm_options::remove : fs::perm_options::add); },
       "delentry(-route=myroute) 5", kAskFiles + kept},
#ifndef _WIN32
      {[&](bool on) {
         on ? aside(true) : (void)fs::remove(shapes);
         on ? fs::create_directory_symlink(prefix.root() / "unplugged", shapes) : aside(false);
       },
       "delunex(-route=myroute)", unlisted},
      {[&](bool on) {
         const fs::path temp = prefix.Host(kRoute + ".MyRoute.ref.rastolin-tmp");
         on ? fs::create_directory(temp) : fs::remove(temp);
       },
       "delentry(-route=myroute) 5", kAskFiles + kept},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    c.block(true);
    ProgramRun run = Run({c.command}, "y\ny\n\n");
    c.block(false);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output, kBanner + c.output + kEnd);
    EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref());
    EXPECT_EQ(Read(kRoute + "TEXTURES\\tower.ace"), "tower.ace");
    EXPECT_FALSE(Exists(kBackup));
  }
}

// A journal with other names is not written at all. A .ref that cannot be
// replaced only when the job comes to write it, after its files moved: an
// immutable file where the tests run as root, one held open by another
// program on Windows. The files go back and the job says it was not done.
TEST_F(ClearingEndToEnd, AJobWhoseRefCannotBeWrittenAtTheEndPutsItsFilesBack) {
  namespace fs = std::filesystem;
  const auto as_it_was = [&] {
    EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref());
    EXPECT_EQ(Read(kRoute + "SHAPES\\tower.s"), Shape({"tower.ace"}));
    EXPECT_EQ(Read(kRoute + "SHAPES\\tower.sd"), "tower sd");
    EXPECT_EQ(Read(kRoute + "TEXTURES\\tower.ace"), "tower.ace");
  };
  const fs::path journal = prefix.Host(kBackup + "journal.txt");
  prefix.Write("C:\\outside.txt", "mine\n");
  fs::create_directories(journal.parent_path());
  fs::create_hard_link(prefix.Host("C:\\outside.txt"), journal);
  EXPECT_EQ(Run({"delentry(-route=myroute) 5"}, "y\ny\n\n").output,
            kBanner + kAskFiles + kBackup +
                "journal.txt has other names (hard links), so it is not written: writing it would "
                "change a file elsewhere too\n" + kEnd);
  EXPECT_EQ(Read("C:\\outside.txt"), "mine\n");
  as_it_was();
  fs::remove(journal);

  const fs::path ref = prefix.Host(kRoute + "MyRoute.ref");
#ifdef _WIN32
  platform::Handle held(
      CreateFileW(ref.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.valid());
  const auto let_go = [&] { held.Close(); };
#else
  const int held = open(ref.c_str(), O_RDONLY);
  int flags = 0;
  if (ioctl(held, FS_IOC_GETFLAGS, &flags) != 0 ||
      (flags |= FS_IMMUTABLE_FL, ioctl(held, FS_IOC_SETFLAGS, &flags) != 0)) {
    close(held);
    GTEST_SKIP() << "no immutable file can be made here: that takes root on ext4 or the like";
  }
  const auto let_go = [&] {
    flags &= ~FS_IMMUTABLE_FL;
    ioctl(held, FS_IOC_SETFLAGS, &flags);
    close(held);
  };
#endif
  ProgramRun run = Run({"delentry(-route=myroute) 5"}, "y\ny\n\n");
  let_go();
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.output, kBanner + kAskFiles + kTowerDeleted + "Cannot create file " + kRoute +
                            "MyRoute.ref\nThe job was not done: the files it moved are back where "
                            "they were, and the route is as it was\n" + kEnd);
  as_it_was();
  EXPECT_EQ(Run({"restore(-route=myroute)"}).output,
            kBanner + "No clearing job of this route is recorded, so there is nothing to restore\n" +
                kEnd);
}

TEST_F(ClearingEndToEnd, DelentryDeletesTheNumberedEntriesWithTheirFilesAsAnswered) {
  ProgramRun wrong = Interactive("delentry(-route=myroute) 2;8\ndelentry(-route=myroute) x\n");
  EXPECT_EQ(wrong.errors,
            "delentry: the route has no entry 8; nothing is deleted\n"
            "delentry: \"x\" is no entry number; nothing is deleted\n");
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref());

  ProgramRun run = Run({"delentry(-route=myroute) 5;2"}, "y\nyes\n\n");
  EXPECT_EQ(run.output, kBanner + kAskFiles + kShedDeleted + kTowerDeleted + kMovedTo + kEnd);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref({2, 5}));
  EXPECT_EQ(Read(kBackup + "MyRoute1.ref"), Ref());
  EXPECT_EQ(Read(kBackup + "SHAPES\\tower.sd"), "tower sd");
  EXPECT_EQ(Read(kBackup + "TEXTURES\\SNOW\\roof.ace"), "SNOW\\roof.ace");
  EXPECT_FALSE(Exists(kRoute + "SHAPES\\shed.thm"));
}

// Textures move with the shapes that name them even where other shapes of
// the route use them; a line after each names those that stay. Shapes
// leaving in the same job are not named; shapes whose files stay are.
TEST_F(ClearingEndToEnd, ATextureOtherShapesStillUseIsMovedAndTheyAreNamed) {
  prefix.Write(kRoute + "SHAPES\\barn.s", Shape({"ROOF.ace", "barn.ace"}));
  prefix.Write(kRoute + "SHAPES\\Hut.s", Shape({"roof.ace", "roof.ace"}));
  prefix.Write(kRoute + "SHAPES\\tower.s", Shape({"tower.ace", "Brick.ace"}));
  const std::string still = "roof.ace is still used by barn.s, Hut.s, which stay in the route\n";
  ProgramRun run = Run({"delentry(-route=myroute) 2;5"}, "y\ny\n\n");
  EXPECT_EQ(run.output, kBanner + kAskFiles + kShedDeleted + still + kTowerDeleted +
                            "Brick.ace: texture not found\n" + kMovedTo + kEnd);

  // Restored, then only the textures: the shed stays and uses them too.
  Run({"restore(-route=myroute)"}, "1\n\n");
  ProgramRun textures = Run({"delentry(-route=myroute) 2"}, "n\ny\n\n");
  EXPECT_EQ(textures.output,
            kBanner + kAskFiles +
                "brick.ace: texture deleted\nbrick.ace is still used by shed.s, tower.s, which stay "
                "in the route\nroof.ace: texture deleted\nSNOW\\roof.ace: texture deleted\n"
                "roof.ace is still used by barn.s, Hut.s, shed.s, which stay in the route\n" +
                kMovedTo + kEnd);
}

// Entries and text as many hands and tools write them. Deleting the entries
// between them leaves each one, and the text around, exactly as it was
// read; listref shows what the format means.
TEST_F(ClearingEndToEnd, DelentryLeavesRealWorldEntriesAndTheTextAroundThemAsTheyWereRead) {
  const struct {
    std::string text;
    std::string listed;  // empty for a block that is no entry, or text
  } kForms[] = {
      {"include ( \"other.ref\" )\r\n", ""},
      {"comment ( \"made by hand\" )\r\n", ""},
      {"_skip ( Static ( Class ( Old ) FileName ( x.s ) ) )\r\n", ""},
      {"Static ( FileName ( shed.s ) Description ( \"Shed\t2\" ) )\r\n", "Shed\t2 - shed.s"},
      {"Static (\r\n\tFileName ( long.s )\r\n\tDescription ( \"line one \" +\r\n\t\t\"line two\" )\r\n)\r\n",
       "line one line two - long.s"},
      {"Static ( FileName ( say.s ) Description ( \"Say \\\"hi\\\"\" ) )\r\n", "Say \"hi\" - say.s"},
      {"Static ( FileName ( pad.s ) Description ( \"  padded  \" ) Class ( \"Houses \" ) )\r\n",
       "  padded   - pad.s"},
      {"Forest ( FileName ( trees.s ) ScaleRange ( 0.8 1.2 ) )\r\n", " - trees.s"},
      {"Signal ( FileName ( sig.s ) Description ( Head ( \"a b\" ) ) )\r\n",
       "Head ( \"a b\" ) - sig.s"},
      {"-- section 2 --\r\n", ""},
      {"Static ( FileName ( pipe.s ) Description ( \"Pipe 12\\\"\" ) )", "Pipe 12\" - pipe.s"},
      {"  ; the end", ""},
  };
  const std::string header = "SIMISA@@@@@@@@@@JINX0r1t______\r\n\r\n";
  // The entry deleted between them names a shape whose files stay, as answered.
  const std::string gone = "Static ( FileName ( tower.s ) )\r\n";
  std::string before = header, after = header, numbers, listed;
  int number = 0, kept = 0;
  for (const auto& form : kForms) {
    // Where something else stands on its line, the deleted entry's line
    // break stays.
    if (!before.ends_with('\n')) after += "\r\n";
    before += gone + form.text;
    after += form.text;
    numbers += (numbers.empty() ? "" : ";") + std::to_string(++number);
    if (form.listed.empty()) continue;
    ++number;
    listed += std::to_string(++kept) + "  " + form.listed + "\n";
  }
  prefix.Write(kRoute + "MyRoute.ref", test_support::UnicodeFile(before));
  EXPECT_EQ(Run({"delentry(-route=myroute) " + numbers}, "n\nn\n").exit_code, 1);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), test_support::UnicodeFile(after));
  EXPECT_EQ(Read(kBackup + "MyRoute1.ref"), test_support::UnicodeFile(before));
  EXPECT_EQ(Read(kRoute + "SHAPES\\tower.sd"), "tower sd");
  EXPECT_EQ(Run({"listref(-route=myroute;-props=description filename)"}).output,
            kBanner + listed + kEnd);
}

TEST_F(ClearingEndToEnd, DelunusedOffersTheUnplacedShapesAndMovesTheChosenOnes) {
  ProgramRun run = Run({"delunused(-route=myroute)"}, "2\ny\nn\n\n");
  EXPECT_EQ(run.output, kBanner + "1  lost.s\n2  tower.s\n" + kChoose + "Delete shape files? [y/n] " +
                            kAsk + kRoute + "SHAPES\\tower.s: shape deleted\n" + kMovedTo + kEnd);
  EXPECT_EQ(run.errors, "");  // no progress where standard error is no terminal
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref());  // the entries stay
  EXPECT_EQ(Read(kBackup + "SHAPES\\tower.sd"), "tower sd");
  EXPECT_EQ(Read(kRoute + "TEXTURES\\tower.ace"), "tower.ace");
}

// A route as published routes ship theirs: its world file, carspawn.dat and
// shapes compressed binary tokens, and no editor tool to read them. Every
// shape's textures are found and every placed name is read, as in text.
TEST_F(ClearingEndToEnd, CompressedBinaryFilesAreReadWithoutTheEditorTool) {
  const std::string check = Run({"checkroute(-route=myroute)"}).output;
  auto binary = [&](const std::string& path, const std::string& type, const std::string& text) {
    prefix.Write(kRoute + path, standin::CompressedTokenFile(MstsText(type, text)));
  };
  binary("WORLD\\w-000001+000001.w", "w0",
         "Tr_Worldfile (\r\n\tStatic ( FileName ( Барак.s ) )\r\n"
         "\tStatic ( FileName ( Shed.s ) )\r\n)\r\n");
  binary("carspawn.dat", "c1", "1\r\nCarSpawnerItem ( \"car.s\" 12 )\r\n");
  binary("SHAPES\\shed.s", "s1",
         "shape (\r\n\timages ( 2\r\n\t\timage ( brick.ace )\r\n\t\timage ( roof.ace )\r\n\t)\r\n)\r\n");
  binary("SHAPES\\tower.s", "s1", "shape ( images ( 1 image ( tower.ace ) ) )\r\n");
  EXPECT_EQ(Run({"checkroute(-route=myroute)"}).output, check);
  EXPECT_NE(check.find("Unused entries (Delete unused): 2"), std::string::npos) << check;
  EXPECT_EQ(Run({"delunused(-route=myroute)"}, "\n").output,
            kBanner + "1  lost.s\n2  tower.s\n" + kChoose + kEnd + "\n");
  ProgramRun run = Run({"delentry(-route=myroute) 5;2"}, "y\nyes\n\n");
  EXPECT_EQ(run.output, kBanner + kAskFiles + kShedDeleted + kTowerDeleted + kMovedTo + kEnd);
  EXPECT_FALSE(Exists("C:\\MSTS\\UTILS\\FFEDIT"));
}

// What is offered is what would move: a name is compared as the path it
// opens from SHAPES, and a host name that is a path to Windows is never
// offered.
TEST_F(ClearingEndToEnd, TheShapesOfferedAreTheFilesThatWouldMove) {
  prefix.Write(kRoute + "MyRoute.ref",
               Ref({}, "Static (\r\n\tFileName ( .\\Барак.s )\r\n)\r\n"
                       "Static (\r\n\tFileName ( x\\..\\shed.s )\r\n)\r\n"
                       "Static (\r\n\tFileName ( SHAPES\\\\orphan.s )\r\n)\r\n"
                       "Static (\r\n\tFileName ( sub/Shed.s )\r\n)\r\n"));
  EXPECT_EQ(Run({"delunused(-route=myroute)"}, "\n\n").output,
            kBanner + "1  lost.s\n2  shapes\\\\orphan.s\n3  sub/shed.s\n4  tower.s\n" + kChoose + kEnd);
#ifndef _WIN32
  test_support::WriteHostFile(prefix.Host(kRoute + "SHAPES") / "x\\..\\Барак.s", "");
#endif
  ProgramRun run = Run({"delnotinref(-route=myroute)"}, "\n\n");
  EXPECT_EQ(run.output, kBanner +
#ifndef _WIN32
                            "Skipped " + kRoute + "SHAPES\\x\\..\\Барак.s: not a file name Windows can hold\n" +
#endif
                            "1  extra.s\n" + kChooseAdd + kEnd);
}

TEST_F(ClearingEndToEnd, AnAnswerIsOneWholeLineAndTheEndOfInputCancelsTheCommand) {
  std::string rows;
  for (int i = 0; i < 3000; ++i) rows += "2 ";
  // Longer than one read of a command line: its tail answers no question.
  ProgramRun run = Run({"delunused(-route=myroute)"}, rows + "\ny\ny\n\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(Read(kBackup + "SHAPES\\tower.s"), Shape({"tower.ace"}));
  EXPECT_EQ(Read(kBackup + "TEXTURES\\tower.ace"), "tower.ace");

  ProgramRun cut = Run({"delentry(-route=myroute) 2"}, "y\n");
  EXPECT_EQ(cut.exit_code, 2);
  EXPECT_EQ(cut.output,
            kBanner + kAskFiles + "\nEnd of input: the command is cancelled\n" + kEnd + "\n");
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"), Ref());
  EXPECT_TRUE(Exists(kRoute + "SHAPES\\shed.s"));
}

TEST_F(ClearingEndToEnd, DelnotinrefAddsSomeShapesToTheRefAndMovesOthers) {
  ProgramRun run = Run({"delnotinref(-route=myroute)"}, "add 1\n1\nyes\nno\n\n");
  EXPECT_EQ(run.output, kBanner + "1  extra.s\n2  orphan.s\n" + kChooseAdd + "1  orphan.s\n" + kChooseAdd +
                            "Delete shape files? [y/n] " + kAsk + kRoute +
                            "SHAPES\\orphan.s: shape deleted\n" + kMovedTo + kEnd);
  EXPECT_EQ(Read(kRoute + "MyRoute.ref"),
            Ref({},
                "Static (\r\n\tFileName ( extra.s )\r\n\tDescription ( extra.s )\r\n"
                "\tClass ( Rastolin )\r\n)\r\n"));
  EXPECT_EQ(Read(kBackup + "SHAPES\\orphan.s"), MstsFile("s1", "shape ( )\r\n"));
}

#ifndef _WIN32
// On a terminal the progress line is taken away before any other output and
// at the end: what stays on the screen is what the command prints without
// one. A job is undone before it runs again on the terminal.
TEST_F(ClearingEndToEnd, TheProgressLineLeavesNothingOnTheScreen) {
  const std::regex progress("\r\x1b\\[K[^\r\n\x1b]*(?=\r\x1b\\[K)");
  const std::regex clear_or_title("\r\x1b\\[K|\x1b\\]0;[^\a]*\a");
  const struct {
    const char* line;
    const char* input;
    bool moves;
  } rows[] = {
      {"delnotinref(-route=myroute)", "2\nyes\nno\n\n", true},
      {"delunused(-route=myroute)", "4\ny\ny\n\n", true},
      {"compare(-route=myroute;-common)", "\n", false},
      {"checkroute(-route=myroute)", "\n", false},
  };
  for (const auto& row : rows) {
    const std::string piped = Run({row.line}, row.input).output;
    if (row.moves) Run({"restore(-route=myroute)"}, "1\n\n");
    const std::string shown =
        test_support::RunOnTerminal(prefix, {row.line}, "C:\\work", row.input).output;
    EXPECT_NE(shown.find(" (1 of "), std::string::npos) << row.line << ": no progress shown";
    EXPECT_EQ(std::regex_replace(std::regex_replace(shown, progress, ""), clear_or_title, ""),
              piped)
        << row.line;
  }
}
#endif

TEST_F(ClearingEndToEnd, CompareWritesTheBatchFileOrListsTheCommonOrUniqueFiles) {
  ProgramRun run =
      Interactive("compare(-route=myroute;-bat=c:\\out.bat)\n"
                  "compare(-route=myroute;-textures;-us1;-common)\n"
                  "compare(-route=myroute;-eur2;-us2;-unique)\n"
                  "compare(-route=myroute;-common;-unique)\n");
  // The route keeps its own spelling, and each command prints only its own lines.
  EXPECT_EQ(run.output,
            kBanner + kPrompt + "The batch file is saved to c:\\out.bat\n" + kCopy + kPrompt +
                "USA1\\TEXTURES\\brick.ace\n" + kPrompt +
                "SHAPES\\car.s\nSHAPES\\extra.s\nSHAPES\\orphan.s\nSHAPES\\shed.s\n"
                "SHAPES\\tower.s\nSHAPES\\Барак.s\n" +
                kPrompt + kPrompt);
  EXPECT_EQ(run.errors,
            "compare: -common, -unique and -bat exclude each other; the command is skipped\n");
  EXPECT_EQ(Read("C:\\out.bat"), test_support::Crlf(kCopy));
  // A route missing from ROUTES is named as such by the clearing commands too.
  for (const char* line : {"compare(-route=elsewhere;-common)", "deldup(-route=elsewhere)"}) {
    ProgramRun missing = Run({line});
    EXPECT_EQ(missing.exit_code, 2) << line;
    EXPECT_EQ(missing.output, kBanner + "Route elsewhere not found\n" + kEnd) << line;
  }
}

TEST_F(ClearingEndToEnd, CompareAsksBeforeReplacingAFileAndNeverWritesIntoARouteCompared) {
  prefix.Write("C:\\mine.bat", "the user's own");
  // The console takes the command line in lower case.
  const std::string ask = "c:\\mine.bat\nThe file already exists; replace? [y/n] ";
  EXPECT_EQ(Run({"compare(-route=myroute;-bat=c:\\mine.bat)"}, "n\n\n").output,
            kBanner + ask + "c:\\mine.bat is kept as it was; nothing is saved\n" + kCopy + kEnd);
  EXPECT_EQ(Read("C:\\mine.bat"), "the user's own");
  Run({"compare(-route=myroute;-bat=c:\\mine.bat)"}, "y\n\n");
  EXPECT_EQ(Read("C:\\mine.bat"), test_support::Crlf(kCopy));
  // A folder is not offered for replacing.
  EXPECT_EQ(Run({"compare(-route=myroute;-bat=c:\\msts)"}, "y\n\n").output,
            kBanner + kCopy + "c:\\msts is a folder; give a file name\n" + kEnd);

  // As typed, and where the fixture keeps it.
  std::vector<std::pair<std::string, std::string>> inside = {
      {"c:\\msts\\routes\\myroute\\myroute.ref", kRoute + "MyRoute.ref"}};
#ifndef _WIN32
  std::filesystem::create_directory_symlink(prefix.Host("C:\\MSTS\\ROUTES\\EUROPE1"),
                                            prefix.Host("C:\\europe"));
  inside.push_back({"c:\\europe\\shapes\\shed.s", "C:\\MSTS\\ROUTES\\EUROPE1\\SHAPES\\Shed.s"});
  // A link to the route's .ref, and one to its SHAPES.
  std::filesystem::create_symlink(prefix.Host(kRoute + "MyRoute.ref"), prefix.Host("C:\\lnk.bat"));
  std::filesystem::create_directory_symlink(prefix.Host(kRoute + "SHAPES"), prefix.Host("C:\\sl"));
  inside.push_back({"c:\\lnk.bat", kRoute + "MyRoute.ref"});
  inside.push_back({"c:\\sl\\x.bat", kRoute + "SHAPES\\x.bat"});
#endif
  for (const auto& [target, file] : inside) {
    SCOPED_TRACE(target);
    const std::string before = Exists(file) ? Read(file) : "<none>";
    ProgramRun run = Run({"compare(-route=myroute;-bat=" + target + ")"}, "y\n\n");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output,
              kBanner + kCopy + target + " lies in a route being compared and is not written\n" + kEnd);
    EXPECT_EQ(Exists(file) ? Read(file) : "<none>", before);
  }
}

#ifndef _WIN32
// Folders reached by two links each, thirty deep: a walk that took every
// path would take days. A link to the root would walk the whole disk.
TEST_F(ClearingEndToEnd, CompareWalksEachFolderOnceAndStaysInTheRoute) {
  namespace fs = std::filesystem;
  constexpr int kLevels = 30;
  const fs::path chain = prefix.Host(kRoute + "SHAPES\\chain");
  for (int level = 0; level < kLevels; ++level) {
    fs::create_directories(chain / std::to_string(level));
    if (level + 1 == kLevels) break;
    for (const char* link : {"a", "b"})
      fs::create_directory_symlink("../" + std::to_string(level + 1), chain / std::to_string(level) / link);
  }
  test_support::WriteHostFile(chain / std::to_string(kLevels - 1) / "end.s", "");
  fs::create_directory_symlink("/", prefix.Host(kRoute + "SHAPES\\root"));
  std::string end = "SHAPES\\chain\\0";
  for (int level = 1; level < kLevels; ++level) end += "\\a";
  EXPECT_EQ(Run({"compare(-route=myroute;-eur2;-unique)"}).output,
            kBanner + "SHAPES\\car.s\n" + end + "\\end.s\nSHAPES\\extra.s\nSHAPES\\orphan.s\n"
                      "SHAPES\\shed.s\nSHAPES\\tower.s\nSHAPES\\tower.sd\nSHAPES\\Барак.s\n" + kEnd);
}
#endif

}  // namespace
}  // namespace e2e

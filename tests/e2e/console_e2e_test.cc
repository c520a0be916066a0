// The program's own command line: console commands, options and the
// refusal to start outside the Wine prefix's drives.
#include "tests/e2e/end_to_end.h"

namespace e2e {
namespace {

using ConsoleEndToEnd = EndToEnd;

// The arguments make one command that waits for one line and exits with 1;
// the end of input ends the interactive console; help and version answer
// without opening it, in Russian while no conv.ini says otherwise.
TEST_F(ConsoleEndToEnd, EachWayOfStartingEndsAsItShould) {
  const struct {
    const char* language;  // none: no conv.ini yet
    std::vector<std::string> args;
    std::string input;
    int exit_code;
    std::string starts, ends, holds, lacks;
  } rows[] = {
      {"", {"/?"}, "\n", 1, kBanner + "Enter 'main' to return to the window mode\n",
       "=====\n" + kEnd, "", ""},
      {"", {"help", "route"}, "\n", 1, kBanner, kEnd, "delentry(-route=...) N1;[N2;]...\n=====\n",
       ""},
      {"", {"-console"}, "help\n", 1, kBanner + kPrompt, kPrompt + "\n", "", ""},
      {"", {"--help"}, "", 0, "Запуск: rastolin ", "", "'help route'", "console."},
      {"1", {"-h"}, "", 0, "Usage: rastolin ", "", "'help route'", "console."},
  };
  for (const auto& row : rows) {
    if (*row.language) Settings(row.language);
    const std::string name = row.args[0] + " " + row.language;
    ProgramRun run = Run(row.args, row.input);
    EXPECT_EQ(run.exit_code, row.exit_code) << name;
    EXPECT_TRUE(run.output.starts_with(row.starts)) << name << ": " << run.output;
    EXPECT_TRUE(run.output.ends_with(row.ends)) << name << ": " << run.output;
    EXPECT_NE(run.output.find(row.holds), std::string::npos) << name << ": " << run.output;
    if (!row.lacks.empty()) {
      EXPECT_EQ(run.output.find(row.lacks), std::string::npos) << name;
    }
  }
  ProgramRun version = Run({"--version"}, "");
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.output, "Rastolin v1.2b\n");
}

// A mistake or a failure is answered, and a one-shot command then exits
// with 2; a clean run exits with 1.
TEST_F(ConsoleEndToEnd, EveryMistakeIsAnsweredAndExitsWithTwo) {
  Settings("1");
  InstallTools();
  // One pixel, 24 bits.
  const std::string tga("\0\0\2\0\0\0\0\0\0\0\0\0\1\0\1\0\x18\0\x10\x20\x30", 21);
  prefix.Write("C:\\tex\\a.tga", tga);
  prefix.Write("C:\\work\\sub\\roof.tga", tga);
  prefix.MakeFolder("C:\\empty");
  prefix.MakeFolder("C:\\models");
  const std::string route = "C:\\MSTS\\ROUTES\\MyRoute\\";
  const std::string ref = MstsFile("t1", "Static (\r\n\tFileName ( hut.s )\r\n)\r\n"
                                            "Static (\r\n\tFileName ( HUT.S )\r\n)\r\n");
  prefix.Write(route + "MyRoute.ref", ref);
  const std::string skipped = "; the command is skipped\n";
  const std::string texture_options =
      "it takes -dir=..., -zlib, -no, -dxt, -trans, -bmp, -width=..., -height=...";
  const struct {
    const char* line;
    std::string hint;
    int exit_code;
  } cases[] = {
      {"help", "", 1},
      {"makeace(-dir=c:\\tex) a.tga", "", 1},
      {"-version", "\"-version\" is no command; enter 'help' for the commands\n", 2},
      {"makeace(-dir=c:\\tex;-zlibb) a.tga",
       "makeace: unknown option \"-zlibb\"; " + texture_options + skipped, 2},
      {"makeace(-compress=zlib;-x) a.tga",
       "makeace: unknown options \"-compress\", \"-x\"; " + texture_options + skipped, 2},
      {"deldup(-route=myroute;-rout=x)",
       "deldup: unknown option \"-rout\"; it takes -route=..." + skipped, 2},
      {"deldup(-route=myroute;-route=europe1)",
       "deldup: -route given more than once" + skipped, 2},
      {"delunused(-route=myroute) 1",
       "delunused: \"1\" after the parentheses is not taken" + skipped, 2},
      {"listref(-route=myroute;-props=filename clas)",
       "listref: no entry has the property \"clas\"\n", 2},
      {"deldup()", "deldup: a route is needed, as in deldup(-route=myroute)" + skipped, 2},
      {"delentry(-route=myroute) 99", "delentry: the route has no entry 99; nothing is deleted\n",
       2},
      {"compare(-route=myroute;-bat=)",
       "compare: -bat needs a file, as in -bat=c:\\msts\\routes\\copy.bat" + skipped, 2},
      {"makeace(-dir=c:\\tex) nosuch.tga", "makeace: c:\\tex\\nosuch.tga not found\n", 2},
      {"makeace(-dir=c:\\tex) ;", "makeace: an empty entry is skipped\n", 2},
      {"makeace(-dir=c:\\) tex",
       "makeace: c:\\tex is a folder; makeacedir(-dir=...) converts the images of a folder\n", 2},
      {"listref -route=myroute",
       "\"listref -route=myroute\" is no command: listref takes its options in parentheses, "
       "as in listref(...); enter 'help' for the commands\n",
       2},
      {"makeacedir(-dir=c:\\empty)", "makeacedir: no *.tga or *.bmp file in c:\\empty\\\n", 2},
      {"batchadd(-dir=c:\\empty;-route=myroute;-sub)",
       "batchadd: no *.s file in c:\\empty or its subfolders\n", 2},
      {"shape(-dir=c:\\models) nosuch out.s",
       "shape: no model c:\\models\\nosuch<number>.3ds found\n", 2},
      // The spellings help shows are the options themselves.
      {"shape(-dir=c:\\models;-mm=x) nosuch out.s",
       "shape: Mip-map bias \"x\" is not a number such as -2 or 0.5\n", 2},
      {"batchadd(-dir=c:\\empty;-route=myroute;class=sheds)", "batchadd: no *.s file in c:\\empty\n",
       2},
      // No hint: the log says what failed.
      {"makeace(-dir=c:\\work\\sub;-bmp;-width=1 6) roof.tga", "", 2},
  };
  for (const auto& mistake : cases) {
    ProgramRun run = Run({mistake.line});
    EXPECT_EQ(run.errors, mistake.hint) << mistake.line;
    EXPECT_EQ(run.exit_code, mistake.exit_code) << mistake.line;
  }
  // makeace ran for a.tga and roof.tga alone, and no command removed an entry.
  EXPECT_EQ(test_support::ReadStandinLog(prefix).size(), 2u);
  EXPECT_EQ(Read(route + "MyRoute.ref"), ref);
}

// The program's own hints, questions and prompts follow the language as
// the message table does; the banner and the prompts of the console stay.
TEST_F(ConsoleEndToEnd, HintsQuestionsAndPromptsFollowTheLanguage) {
  Settings("0");
  const std::string route = "C:\\MSTS\\ROUTES\\MyRoute\\";
  prefix.Write(route + "MyRoute.ref", MstsFile("t1", "Static (\r\n\tFileName ( hut.s )\r\n)\r\n"));
  prefix.MakeFolder(route + "SHAPES");
  for (const char* other : {"EUROPE1", "USA1"}) {
    prefix.MakeFolder(std::string("C:\\MSTS\\ROUTES\\") + other);
  }
  const struct {
    const char* line;
    std::string input, output, errors;
  } cases[] = {
      {"-version", "\n", kBanner + kEnd,
       "\"-version\" не является командой; введите 'help', чтобы увидеть команды\n"},
      {"deldup(-route=myroute;-rout=x)", "\n", kBanner + kEnd,
       "deldup: неизвестный параметр \"-rout\"; команда принимает -route=...; команда пропущена\n"},
      {"delentry(-route=myroute) 1", "nein\n",
       kBanner + "Удалить файлы? [y/n] \"nein\" - не ответ; ответьте y или n (д или н)\n"
                 "Удалить файлы? [y/n] \nКонец ввода: команда отменена\n" + kEnd + "\n",
       ""},
      {"compare(-route=myroute)", "\n\n",
       kBanner + "Сохранить как (*.bat; пустая строка - отмена): " + kEnd, ""},
  };
  for (const auto& c : cases) {
    ProgramRun run = Run({c.line}, c.input);
    EXPECT_EQ(run.output, c.output) << c.line;
    EXPECT_EQ(run.errors, c.errors) << c.line;
  }
}

#ifndef _WIN32
// A conv.ini that names no MSTS: the first command that needs a route finds
// it where the MSTS installer recorded it, here in the Wine prefix's
// registry, and keeps it as if chosen on the Settings page.
TEST_F(ConsoleEndToEnd, TheFirstRouteCommandFindsMstsWhereItsInstallerRecordedIt) {
  prefix.Write("C:\\work\\conv.ini", "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=\r\n");
  test_support::WriteHostFile(
      prefix.prefix() / "system.reg",
      "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1700000000\n"
      "\"Path\"=\"C:\\\\Games\\\\MSTS\\\\\"\n");
  prefix.Write("C:\\Games\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe", "MZ");
  prefix.Write("C:\\Games\\MSTS\\ROUTES\\Line\\Line.ref",
               MstsFile("t1", "Static ( FileName ( hut.s ) Description ( Hut ) )\r\n"));
  ProgramRun run = Run({"listref(-route=line)"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output,
            kBanner +
                "MSTS found in C:\\Games\\MSTS, where its installer recorded it (HKEY_LOCAL_MACHINE\\"
                "SOFTWARE\\Microsoft\\Microsoft Games\\Train Simulator\\1.0): it is now the MSTS "
                "root dir, as the Settings page shows\n1  Hut - hut.s\n" + kEnd);
  EXPECT_EQ(Read("C:\\work\\conv.ini"),
            "[INF]\r\nLANGUAGE=1\r\n[PATHS]\r\nROOT=C:\\Games\\MSTS\r\nUTILS=C:\\Games\\MSTS\\UTILS\r\n");
}

// Windows has no folder outside a drive.
TEST_F(ConsoleEndToEnd, AFolderOnNoDriveIsRefusedWithAReason) {
  std::filesystem::path outside = prefix.root() / "elsewhere";
  std::filesystem::create_directories(outside);
  ProgramRun run = test_support::RunProgram(test_support::RastolinBinary(), {"help"}, outside,
                                            {{"WINEPREFIX", prefix.prefix().string()}}, "\n");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.errors.find("lies on no drive"), std::string::npos);
  EXPECT_EQ(run.output, "");
}
#endif

}  // namespace
}  // namespace e2e

#include "convert/shape_conversion.h"

#include <gmock/gmock.h>

#include <functional>

#include "tests/support/convert_fixture.h"
#include "core/error.h"

namespace convert {
namespace {

using ::testing::ThrowsMessage;

constexpr char kConv3ds[] = "C:\\MSTS\\UTILS\\conv3ds.exe \"C:\\out\\House.s\"  house1.3ds house2.3ds | C:\\models";
constexpr char kFfedit[] = "C:\\MSTS\\UTILS\\FFEDIT\\";

class ShProcClickTest : public ConvertFixture {
 protected:
  ShProcClickTest() {
    files.AddFolder("C:\\out");
    files.Add("C:\\models\\brick.ace", "ace");
    main->fields.ShapeDir = "C:\\models";
    main->fields.ShInput = " HOUSE1.3DS house2.3ds ";
    main->fields.ShOutput = "C:\\out\\House.s";
  }
  std::string Output() const { return files.Content("C:\\out\\House.s"); }
  // The editor tool's folder holds only the tool.
  Lines EditorFolder() const {
    Lines names;
    for (const auto& entry : files.Find(std::string(kFfedit) + "*", platform::kAnyAttributes))
      names.push_back(entry.name);
    return names;
  }
};

TEST_F(ShProcClickTest, MissingInputsWarnAndRunNothing) {
  main->fields.ShOutput = "";
  ShProcClick(*main);
  main->fields.ShInput = "";
  ShProcClick(*main);
  main->fields.ShInput = "house1.3ds ";
  main->fields.ShOutput = "C:\\out\\House.s";
  main->fields.ShMipMap = true;
  main->fields.ShMipMapV = "abc";
  ShProcClick(*main);
  files.DeleteFile("C:\\MSTS\\UTILS\\makeace.exe");
  ShProcClick(*main);
  EXPECT_EQ(ui.shown, (Lines{"Warning: Select output file",
                             "Warning: You have to specify at least one 3ds-file",
                             "Warning: Mip-map bias \"abc\" is not a number such as -2 or 0.5",
                             "Warning: Unable to find makeace.exe"}));
  EXPECT_TRUE(processes.runs.empty());
}

// Each step is judged by the file it must leave: a failed step is logged and
// skips only the steps that need its file, and an older shape of the name is
// never taken for a new one. A shape tool that runs and fails is driven end
// to end.
TEST_F(ShProcClickTest, AFailedStepSkipsOnlyTheStepsThatNeedItsFile) {
  const std::string done = "Shape C:\\out\\House.s: conversion successful";
  const std::string binary = "Shape C:\\out\\House.s converted to binary";
  const struct {
    const char* tool;
    bool starts;  // false: it cannot be started
    Lines logged;
    std::string output;
  } cases[] = {
      {"conv3ds", false, {"Unable to start conv3ds.exe"}, "older shape"},
      {"txt2uni", true,
       {done, "txt2uni: failed", "Shape C:\\out\\House.s: not converted to Unicode", binary},
       "SIMISA@F" + kShapeText},
      {"txt2uni", false, {done, "Unable to start txt2uni.exe", binary}, "SIMISA@F" + kShapeText},
      {"ffeditc_unicode", true,
       {done, "Shape C:\\out\\House.s converted to Unicode", "ffeditc_unicode: failed",
        "Shape C:\\out\\House.s: not converted to binary"},
       test_support::UnicodeFile(kShapeText)},
  };
  main->fields.ShCompress = true;
  main->fields.ShMipMap = true;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tool);
    files.Add("C:\\out\\House.s", "older shape");
    broken.clear();
    unstartable.clear();
    (c.starts ? broken : unstartable).insert(c.tool);
    main->log.Clear();
    ShProcClick(*main);
    EXPECT_EQ(Logged(), c.logged);
    EXPECT_EQ(Output(), c.output);
    EXPECT_EQ(EditorFolder(), Lines{"ffeditc_unicode.exe"});
  }
  files.DeleteFile(std::string(kFfedit) + "ffeditc_unicode.exe");
  ShProcClick(*main);
  EXPECT_EQ(Logged().back(), "Unable to find ffeditc_unicode");
}

// The last tool each setting runs, in the shape's folder, and the file it
// leaves. In the editor tool's own folder the binary step works on a copy
// of another name, and the shape of that name survives it.
TEST_F(ShProcClickTest, EachSettingEndsWithItsLastStepInTheShapesFolder) {
  const std::string binary = "c:\\msts\\utils\\ffedit\\ffeditc_unicode ";
  const core::Fields fields = main->fields;
  const struct {
    std::function<void(core::ConvMain&)> set;
    std::string last, output, bytes;
  } cases[] = {
      {[](core::ConvMain& m) {
         m.fields.ShCompress = true, m.fields.ShUnicode = false, m.fields.ShCompressEnabled = false;
       },
       binary + "house.s /c /o:house.s | " + kFfedit, "C:\\out\\House.s", "SIMISA@F" + kShapeText},
      // A name with a blank is one argument of the tool.
      {[](core::ConvMain& m) {
         m.fields.ShOutput = "C:\\out\\Old House.s", m.fields.ShCompress = true;
       },
       binary + "\"old house.s\" /c /o:\"old house.s\" | " + kFfedit, "C:\\out\\Old House.s",
       "SIMISA@F" + test_support::UnicodeFile(kShapeText)},
      {[](core::ConvMain& m) {
         m.fields.ShOutput = std::string(kFfedit) + "shed.s", m.fields.ShCompress = true;
       },
       binary + "shed_1.s /c /o:shed_1.s | " + kFfedit, std::string(kFfedit) + "shed.s",
       "SIMISA@F" + test_support::UnicodeFile(kShapeText)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.last);
    main->fields = fields;
    c.set(*main);
    ShProcClick(*main);
    EXPECT_EQ(Runs().back(), c.last);
    EXPECT_EQ(files.Content(c.output), c.bytes);
    EXPECT_EQ(EditorFolder().size(), c.output.starts_with(kFfedit) ? 2u : 1u);
  }
}

TEST_F(ShProcClickTest, TheTextureCheckEditsTheShapeBeforeTheBinaryStep) {
  main->fields.ShCompress = true;
  main->fields.ShCheckTex = true;
  ui.answers = {true};
  ui.textures = {std::string("brick")};
  ShProcClick(*main);
  std::string edited = kShapeText;
  edited.replace(edited.find("planks.ace"), 10, "brick.ace");
  EXPECT_EQ(Output(), "SIMISA@F" + test_support::UnicodeFile(edited));
}

TEST_F(ShProcClickTest, AnEditThatCannotWriteEndsTheConversion) {
  main->fields.ShMipMap = true;
  files.FailWritesTo("C:\\out\\House.s");
  EXPECT_THAT([&] { ShProcClick(*main); },
              ThrowsMessage<core::Error>("Cannot create file C:\\out\\House.s"));
  EXPECT_EQ(Runs(), Lines{kConv3ds});
  EXPECT_EQ(Output(), kShapeText);
}

TEST(WorkCopyNameTest, TheShapesOwnNameUnlessTaken) {
  test_support::MemoryFileSystem files;
  files.AddFolder("C:\\F");
  EXPECT_EQ(WorkCopyName(files, "C:\\F\\", "a.s"), "a.s");
  files.Add("C:\\F\\A.S", "");
  files.AddFolder("C:\\F\\a_1.s");
  files.Add("C:\\F\\a_3.s", "");
  EXPECT_EQ(WorkCopyName(files, "C:\\F\\", "a.s"), "a_2.s");
  files.Add("C:\\F\\noext", "");
  EXPECT_EQ(WorkCopyName(files, "C:\\F\\", "noext"), "noext_1");
}

class ShapesPageTest : public ConvertFixture {};

TEST_F(ShapesPageTest, BrowsingForModelsKeepsTheirNamesOnly) {
  files.Add("C:\\models\\house1.3ds", "");
  main->fields.dsOpenInitialDir = "C:\\models";
  ui.opened = {{"C:\\models\\house1.3ds", "C:\\elsewhere\\gone.3ds", "C:\\models\\big hut.3ds"}};
  ShIBrowseClick(*main);
  EXPECT_EQ(main->fields.ShInput, " house1.3ds gone.3ds \"big hut.3ds\" ");
  ASSERT_EQ(ui.file_dialogs.size(), 1u);
  EXPECT_TRUE(ui.file_dialogs[0].multiple);
}

}  // namespace
}  // namespace convert

#include "convert/shape_conversion.h"

#include <gmock/gmock.h>

#include "tests/support/convert_fixture.h"
#include "core/error.h"

namespace convert {
namespace {

using ::testing::ThrowsMessage;

constexpr char kConv3ds[] = "C:\\MSTS\\UTILS\\conv3ds.exe \"C:\\out\\House.s\"  house1.3ds house2.3ds | C:\\models";

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
  EXPECT_EQ(ui.shown, (Lines{"Warning: Select output file",
                             "Warning: You have to specify at least one 3ds-file",
                             "Warning: Mip-map bias \"abc\" is not a number such as -2 or 0.5"}));
  EXPECT_TRUE(processes.runs.empty());
}

// Each step is judged by the file it must leave: a failed step is logged and
// skips only the steps that need its file. A shape tool that fails beside an
// older shape, and the work copy's removal, are driven end to end.
TEST_F(ShProcClickTest, AFailedStepSkipsOnlyTheStepsThatNeedItsFile) {
  const std::string done = "Shape C:\\out\\House.s: conversion successful";
  const std::string binary = "Shape C:\\out\\House.s converted to binary";
  const struct {
    const char* tool;
    bool starts;  // false: it cannot be started
    Lines logged;
    std::string output;
  } cases[] = {
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
  }
  files.DeleteFile("C:\\MSTS\\UTILS\\FFEDIT\\ffeditc_unicode.exe");
  ShProcClick(*main);
  EXPECT_EQ(Logged().back(), "Unable to find ffeditc_unicode");
}

// The texture check is the window's alone; the console reaches the edit
// through the mip-map bias.
TEST_F(ShProcClickTest, AnEditThatCannotWriteEndsTheConversion) {
  main->fields.ShCheckTex = true;
  files.FailWritesTo("C:\\out\\House.s");
  EXPECT_THAT([&] { ShProcClick(*main); },
              ThrowsMessage<core::Error>("Cannot create file C:\\out\\House.s"));
  EXPECT_EQ(Runs(), Lines{kConv3ds});
  EXPECT_EQ(Output(), kShapeText);
}

}  // namespace
}  // namespace convert

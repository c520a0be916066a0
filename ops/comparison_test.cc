#include "ops/comparison.h"

#include <gmock/gmock.h>

#include "tests/support/ops_fixture.h"

namespace ops {
namespace {

using core::ComparisonOutput;

const std::string kRoutes = "C:\\MSTS\\ROUTES\\";

class ComparisonTest : public OpsFixture {
 protected:
  ComparisonTest() {
    main.fields.CrTex = true;
    for (const char* file : {"SHAPES\\bridge.s", "SHAPES\\bridge.sd", "SHAPES\\BRIDGE2.S", "SHAPES\\own.s",
                             "SHAPES\\readme.txt", "SHAPES\\old.set\\mast.s", "TEXTURES\\rock.ace",
                             "TEXTURES\\SNOW\\rock.ace", "TEXTURES\\own.ace"}) {
      files.Add(kRoutes + "MyLine\\" + file, "x");
    }
    // Existence ignores letter case; EUROPE1 comes before USA1 whatever the
    // ticks' order, and an unticked route finds nothing.
    for (const char* file : {"EUROPE1\\SHAPES\\Bridge.s", "EUROPE1\\SHAPES\\BRIDGE.SD",
                             "EUROPE1\\TEXTURES\\snow\\ROCK.ACE", "EUROPE1\\SHAPES\\OLD.SET\\readme.txt",
                             "USA1\\SHAPES\\bridge.s", "USA1\\TEXTURES\\rock.ace", "USA1\\TEXTURES\\own.ace\\x",
                             "EUROPE2\\SHAPES\\own.s", "JAPAN2\\SHAPES\\own.s"}) {
      files.Add(kRoutes + file, "x");
    }
    routes.CrRoute = {"Alpha", "MyLine"};
    routes.CrRouteIndex = 1;
  }

  Lines Run(ComparisonOutput output) {
    main.fields.CrOutput = output;
    main.fields.CrOut = {"earlier"};
    CrProcClick(main, routes);
    return main.fields.CrOut;
  }
};

TEST_F(ComparisonTest, TheListsSplitTheRouteFilesByTheFirstTickedRouteThatHasThem) {
  EXPECT_EQ(Run(ComparisonOutput::kCommon),
            (Lines{"EUROPE1\\SHAPES\\bridge.s", "EUROPE1\\SHAPES\\bridge.sd", "EUROPE1\\TEXTURES\\SNOW\\rock.ace",
                   "USA1\\TEXTURES\\rock.ace"}));
  EXPECT_EQ(Run(ComparisonOutput::kUnique),
            (Lines{"SHAPES\\old.set", "SHAPES\\old.set\\mast.s", "SHAPES\\own.s", "TEXTURES\\own.ace"}));
  // A default route is compared with the others only; the fragment keeps
  // its letter case, so BRIDGE.SD and ROCK.ACE are not its files.
  main.fields.CrOutput = ComparisonOutput::kCommon;
  CompareRoute(main, "europe1");
  EXPECT_EQ(main.fields.CrOut, Lines{"USA1\\SHAPES\\Bridge.s"});
  main.fields.CrEur1 = main.fields.CrUS1 = false;
  EXPECT_EQ(Run(ComparisonOutput::kCommon), Lines{});
}

// A batch line is a command: "%" would start a variable, and a quote or a
// line break in a name would end the command or start another.
TEST_F(ComparisonTest, BatchLinesDoubleThePercentSignAndLeaveOutNamesWindowsCannotHold) {
  main.fields.CrTex = false;
  for (const char* name : {"100%.s", "say\"hi\".s", "two\nlines.s"}) {
    files.Add(kRoutes + "MyLine\\SHAPES\\" + name, "x");
    files.Add(kRoutes + "EUROPE1\\SHAPES\\" + name, "x");
  }
  ui.saved = {kRoutes + "out.bat"};
  Run(ComparisonOutput::kBatch);
  EXPECT_EQ(Lines(main.fields.CrOut.begin() + 1, main.fields.CrOut.begin() + 2),
            Lines{"copy \"EUROPE1\\SHAPES\\100%%.s\" \"MyLine\\SHAPES\\100%%.s\""});
  EXPECT_EQ(main.fields.CrOut.size(), 4u);  // with bridge.s and bridge.sd
  EXPECT_EQ(main.log.lines(), (Lines{"Skipped SHAPES\\say\"hi\".s: not a file name Windows can hold",
                             "Skipped SHAPES\\two\nlines.s: not a file name Windows can hold",
                             "The batch file is saved to " + kRoutes + "out.bat"}));
}

}  // namespace
}  // namespace ops

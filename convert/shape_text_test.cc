#include "convert/shape_text.h"

#include "tests/support/convert_fixture.h"

namespace convert {
namespace {

TEST(MipMapBiasTest, OnlyADecimalNumberIsABias) {
  for (const char* text : {"0", "-2", "+1", "0.5", "-.5", "3."}) EXPECT_TRUE(IsMipMapBias(text)) << text;
  for (const char* text : {"", "abc", "-", ".", "1.2.3", " 1", "1 ", "1e3", "--1", "2x", "0,5"}) {
    EXPECT_FALSE(IsMipMapBias(text)) << text;
  }
}

class ShPostProcessTest : public ConvertFixture {
 protected:
  ShPostProcessTest() {
    main->fields.ShapeDir = "C:\\models";
    main->fields.ShOutput = "C:\\out\\house.s";
    files.Add("C:\\out\\house.s", kShapeText);
    files.Add("C:\\models\\Brick.ACE", "ace");
  }
};

// No, or a cancelled choice, leaves the name, and the next pass asks again.
TEST_F(ShPostProcessTest, AMissingTextureIsReplacedByTheChoiceMade) {
  files.Add("C:\\out\\wood.ace", "ace");
  files.Add("C:\\models\\Zinc.ace", "ace");
  files.Add("C:\\models\\alpha.ace", "ace");
  main->fields.ShCheckTex = true;
  ui.answers = {false, true, true};
  ui.textures = {std::nullopt, std::string("wood")};
  ShPostProcess(*main);
  ShPostProcess(*main);
  EXPECT_EQ(files.Content("C:\\out\\house.s"), kShapeText);
  ShPostProcess(*main);
  std::string edited = kShapeText;
  edited.replace(edited.find("planks.ace"), 10, "wood.ace");
  EXPECT_EQ(files.Content("C:\\out\\house.s"), edited);

  // brick.ace lies in the source folder under another letter case, and
  // only the source folder counts.
  const std::string ask = "Ask: planks.ace: texture not found. Replace?";
  const std::string choose = "Texture: Texture replace planks.ace";
  EXPECT_EQ(ui.shown, (Lines{ask, ask, choose, ask, choose}));
  const core::TextureChoice& choice = ui.texture_choices.at(1);
  EXPECT_EQ(choice.text, "planks");
  // Both folders' names, in one list ordered as the folder listings are.
  EXPECT_EQ(choice.candidates, (Lines{"alpha", "Brick", "wood", "Zinc"}));
}

// The source folder as the output's is listed once.
TEST_F(ShPostProcessTest, BothEditsInOnePassAndEveryLineEndsInCrLf) {
  main->fields.ShOutput = "C:\\models\\house.s";
  files.Add("C:\\models\\house.s",
            "shape (\n\t\ttexture ( 12 3 -100 ff000000 )\r\t\ttexture ( 0 )\n"
            "\t\timage brick.ace\n\t\timage ( roof )\n)");
  main->fields.ShMipMap = true;
  main->fields.ShMipMapV = "2";
  main->fields.ShCheckTex = true;
  ui.answers = {true};
  ui.textures = {std::string("tin")};
  ShPostProcess(*main);
  EXPECT_EQ(ui.texture_choices.at(0).text, "");
  EXPECT_EQ(ui.texture_choices[0].candidates, Lines{"Brick"});
  EXPECT_EQ(files.Content("C:\\models\\house.s"),
            "shape (\r\n\t\ttexture ( 12 3 2 ff000000 )\r\n\t\ttexture ( 0 )\r\n"
            "\t\timage brick.ace\r\n\t\timage ( tin.ace )\r\n)\r\n");
}

}  // namespace
}  // namespace convert

#include "convert/shape_text.h"

#include "tests/support/convert_fixture.h"

namespace convert {
namespace {

TEST(MipMapBiasTest, TheThirdValueOfAnEntryIsReplacedAsTyped) {
  const struct {
    const char* line;
    const char* bias;
    const char* edited;  // nullptr: left alone
  } cases[] = {
      {"\t\ttexture ( 0 0 0 ff000000 )", "-3", "\t\ttexture ( 0 0 -3 ff000000 )"},
      {"\t\ttexture ( 12 3 -100 ff000000 )", "0", "\t\ttexture ( 12 3 0 ff000000 )"},
      {"\t\ttexture ( 0 0 0", "-3", "\t\ttexture ( 0 0 -3"},
      {"\t\ttexture ( 0 )", "-3", nullptr},
      {"\t\ttexture 0 0 0 x", "-3", nullptr},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    EXPECT_EQ(SetMipMapBias(line, c.bias), c.edited != nullptr) << c.line;
    EXPECT_EQ(line, c.edited ? c.edited : c.line);
  }
}

TEST(MipMapBiasTest, OnlyADecimalNumberIsABias) {
  for (const char* text : {"0", "-2", "+1", "0.5", "-.5", "3."}) EXPECT_TRUE(IsMipMapBias(text)) << text;
  for (const char* text : {"", "abc", "-", ".", "1.2.3", " 1", "1 ", "1e3", "--1", "2x", "0,5"}) {
    EXPECT_FALSE(IsMipMapBias(text)) << text;
  }
}

TEST(ImageNameTest, TheNameBetweenAProperPairOfParentheses) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"\t\timage ( brick.ace )", "brick.ace"},
      {"\t\timage (brick.ace)", "brick.ac"},  // the character before ")" is taken for the blank
      {"\t\timage ( )", ""},
      {"\t\timage brick.ace", std::nullopt},
      {"\t\timage ( brick.ace", std::nullopt},
      {"\t\timage ) brick.ace (", std::nullopt},
      {"\t\timage ()", std::nullopt},
  };
  for (const auto& [line, name] : cases) EXPECT_EQ(ImageName(line), name) << line;
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
  files.Add("C:\\out\\brick.ace", "ace");
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

  // brick.ace lies in the source folder under another letter case.
  const std::string ask = "Ask: planks.ace: texture not found. Replace?";
  const std::string choose = "Texture: Texture replace planks.ace";
  EXPECT_EQ(ui.shown, (Lines{ask, ask, choose, ask, choose}));
  ASSERT_EQ(ui.texture_choices.size(), 2u);
  const core::TextureChoice& choice = ui.texture_choices[1];
  EXPECT_EQ(choice.label, "Change on");
  EXPECT_EQ(choice.text, "planks");
  // Both folders' names, in one list ordered as the folder listings are.
  EXPECT_EQ(choice.candidates, (Lines{"alpha", "Brick", "brick", "wood", "Zinc"}));
}

TEST_F(ShPostProcessTest, OnlyTheSourceFolderCountsAndOneFolderIsListedOnce) {
  main->fields.ShOutput = "C:\\models\\house.s";
  files.Add("C:\\models\\house.s", kShapeText);
  files.Add("C:\\out\\planks.ace", "ace");
  main->fields.ShCheckTex = true;
  main->fields.ShapeDir = "C:\\out";
  ui.answers = {true, true};
  ShPostProcess(*main);
  EXPECT_EQ(ui.shown, (Lines{"Ask: brick.ace: texture not found. Replace?",
                             "Texture: Texture replace brick.ace"}));
  EXPECT_EQ(ui.texture_choices[0].candidates, (Lines{"Brick", "planks"}));

  main->fields.ShapeDir = "C:\\models";
  ShPostProcess(*main);
  EXPECT_EQ(ui.texture_choices[1].candidates, Lines{"Brick"});
}

TEST_F(ShPostProcessTest, BothEditsInOnePassAndEveryLineEndsInCrLf) {
  files.Add("C:\\out\\house.s",
            "shape (\n\t\ttexture ( 0 0 0 ff000000 )\r\tbroken \ttexture line\n"
            "\t\timage brick.ace\n\t\timage ( roof )\n)");
  main->fields.ShMipMap = true;
  main->fields.ShMipMapV = "2";
  main->fields.ShCheckTex = true;
  ui.answers = {true};
  ui.textures = {std::string("tin")};
  ShPostProcess(*main);
  EXPECT_EQ(ui.texture_choices.at(0).text, "");
  EXPECT_EQ(files.Content("C:\\out\\house.s"),
            "shape (\r\n\t\ttexture ( 0 0 2 ff000000 )\r\n\tbroken \ttexture line\r\n"
            "\t\timage brick.ace\r\n\t\timage ( tin.ace )\r\n)\r\n");
}

}  // namespace
}  // namespace convert

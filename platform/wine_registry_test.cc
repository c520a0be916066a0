#include "platform/registry.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// As Wine writes it: keys relative to HKEY_LOCAL_MACHINE with each "\"
// doubled, a time after the key, strings escaped.
constexpr std::string_view kSystemReg =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
    "[Software\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "\"Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\Train Simulator\"\n"
    "\"Version\"=dword:00000001\n\r\n"
    "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Train Simulator\\\\1.0] 1700000000\n"
    "\"Path\"=\"D:\\\\\\x0418\\x0433\\x0440\\x044b\\\\MSTS \\\"1\\\"\"\n"
    "[Software\\\\Other] 1700000000\n@=str(2):\"%ProgramFiles%\\\\Other\"\n\"PATH\"=\"elsewhere\"\n";

TEST(WineRegistryTest, ReadsTextValuesOfAKeyAsWineWritesThem) {
  const struct {
    const char* key;
    const char* value;
    std::optional<std::string> text;
  } rows[] = {
      {"Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0", "Path",
       "C:\\Program Files\\Microsoft Games\\Train Simulator"},
      {"SOFTWARE\\MICROSOFT\\microsoft games\\Train Simulator\\1.0", "path",
       "C:\\Program Files\\Microsoft Games\\Train Simulator"},
      {"Software\\Wow6432Node\\Microsoft\\Microsoft Games\\Train Simulator\\1.0", "Path",
       "D:\\Игры\\MSTS \"1\""},
      {"Software\\Microsoft\\Microsoft Games\\Train Simulator\\1.0", "Version", std::nullopt},
      {"Software\\Other", "", "%ProgramFiles%\\Other"},
      {"Software\\Missing", "Path", std::nullopt},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(WineRegistryText(kSystemReg, row.key, row.value), row.text)
        << row.key << " " << row.value;
  }
}

}  // namespace
}  // namespace platform

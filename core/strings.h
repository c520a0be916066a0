// Small text helpers shared by the console, the route files and the lists.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Removes every character with a code of 32 or less (blanks, tabs, line
// breaks, other control characters) from both ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);

// Cuts a text at a one-character separator: every piece before a separator
// counts, empty ones too; the piece after the last separator counts only when
// it holds more than blanks and control characters. Pieces are not trimmed.
std::vector<std::string> SplitText(std::string_view text, char separator);

// Lines end at CR, LF or CR LF; a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view text);

bool Contains(std::string_view text, std::string_view part);

// Whether the text reads as a whole number: optional leading blanks, an
// optional sign, decimal digits, within 32 bits.
bool IsWholeNumber(std::string_view text);
// Reads the number into value; false when the text is not one.
bool ParseWholeNumber(std::string_view text, int& value);

}  // namespace core

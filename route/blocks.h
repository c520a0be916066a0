// The block grammar of MSTS text files: name ( value ), where the value may
// hold further blocks. Blocks are cut by counting parentheses outside quoted
// runs. A double quote opens a run, which ends at the next double quote or
// at the end of its line, so one stray quote cannot hide the rest of a
// file. Inside a run \" stands for a quote and \\ for a backslash; any other
// backslash is itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "route/shape.h"

namespace route {

struct Block {
  std::string_view name;   // trimmed text before "("
  std::string_view value;  // trimmed text up to the matching ")" or the end
  bool opened = false;     // false for a piece of text that holds no "("
  bool closed = false;     // false when the text ends before the matching ")"
};

// Walks the blocks of a text one at a time, in time linear in its length.
class BlockReader {
 public:
  explicit BlockReader(std::string_view text) : text_(text) {}
  // False when the text is used up.
  bool Next(Block& block);

 private:
  std::string_view text_;
  size_t pos_ = 0;
  bool no_more_open_ = false;
};

// Where the first "(" outside quoted runs stands from pos on, or npos.
size_t FindOpen(std::string_view text, size_t pos);
// The same for the first "(" or ")".
size_t FindParenthesis(std::string_view text, size_t pos);
// Where the ")" closing a block stands, given where the text just after its
// "(" begins; npos when the text ends first.
size_t FindClose(std::string_view text, size_t pos);

// The text without the characters of code 32 and below at either end.
std::string_view TrimView(std::string_view text);

// Whether a quoted run is still open at the end of the text: written before
// a "(", its quote would hide that parenthesis.
bool EndsInsideQuotes(std::string_view text);

// A value as the format means it. Each quoted run stands for its text, with
// \" and \\ undone, and runs joined by "+" (on one line or across a line
// break) make one string; text outside runs stays as it is. A value that
// holds a block of its own stays as written, quotes and all.
std::string ValueOf(std::string_view written);

// Appends each block of the text to the target as a property, its value as
// written. Text after the last block becomes a property with an empty name.
void ParseBlocks(std::string_view text, Shape& target);

// The pieces between one-character separators, empty ones too; the piece
// after the last separator only when it holds more than blanks.
std::vector<std::string> SplitList(std::string_view text, char separator);

// The part after the last separator ("\" or "/"), or the whole path.
std::string FileNameOf(std::string_view path);

}  // namespace route

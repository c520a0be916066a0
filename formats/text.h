// The text form of MSTS files: blocks written as name ( value ), where the
// value may hold further blocks, words and quoted strings. One set of
// character classes and one quote rule serve every reader of it: the .ref
// reader, the shape's images and the world files' FileNames.
//
// A double quote opens a quoted run, which ends at the next double quote
// or at the end of its line, so one stray quote cannot hide the rest of a
// file; every line therefore begins outside a run. Inside a run \" stands
// for a quote and \\ for a backslash; any other backslash is itself. Runs
// joined by "+" (on one line or over a line break) make one string.
// Parentheses inside a run are text. Keywords are compared whole, in any
// letter case.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace formats::text {

// The classes of a character (a byte of UTF-8, or a UTF-16 unit below 256).
inline constexpr uint8_t kBlank = 1;        // code 32 and below
inline constexpr uint8_t kParenthesis = 2;  // ( )
inline constexpr uint8_t kQuote = 4;        // "
inline constexpr uint8_t kBackslash = 8;
inline constexpr uint8_t kLineBreak = 16;   // CR, LF, blanks as well
// What ends a word (a keyword, a bare value).
inline constexpr uint8_t kEndsWord = kBlank | kParenthesis | kQuote;
// What a quoted run stops at.
inline constexpr uint8_t kInRun = kQuote | kBackslash | kLineBreak;

inline constexpr std::array<uint8_t, 256> kClasses = [] {
  std::array<uint8_t, 256> classes{};
  for (int c = 0; c <= 32; ++c) classes[c] = kBlank;
  classes['('] = classes[')'] = kParenthesis;
  classes['"'] = kQuote;
  classes['\\'] = kBackslash;
  classes['\r'] = classes['\n'] = kBlank | kLineBreak;
  return classes;
}();

constexpr uint8_t ClassOf(unsigned unit) { return unit < 256 ? kClasses[unit] : 0; }
constexpr bool IsBlank(unsigned unit) { return (ClassOf(unit) & kBlank) != 0; }
constexpr bool InWord(unsigned unit) { return (ClassOf(unit) & kEndsWord) == 0; }

// Whether the backslash at `pos` of a quoted run escapes the character
// after it.
bool Escapes(std::string_view text, size_t pos);

struct Run {
  size_t end;   // just past the closing quote, or where the line or text ends
  bool closed;  // false when the line or the text ended it
};
// The quoted run whose opening quote stands at `quote`.
Run RunAt(std::string_view text, size_t quote);

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
// \" and \\ undone, and runs joined by "+" make one string; text outside
// runs stays as it is. A value that holds a block of its own stays as
// written, quotes and all.
std::string ValueOf(std::string_view written);

// A name (a file, a texture) as a block's value gives it: its ValueOf,
// trimmed before and after.
std::string NameOf(std::string_view written);

// Whether a word is the keyword, compared whole in any letter case.
bool KeywordIs(std::string_view word, std::string_view keyword);
// Whether a block's keyword makes it part of the format rather than of
// the data: comment, skip, include, or any word that begins with "_".
bool IsFormatKeyword(std::string_view keyword);
// The keyword of a block: the last word of the text before its "(".
std::string_view KeywordOf(std::string_view block_name);

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

}  // namespace formats::text

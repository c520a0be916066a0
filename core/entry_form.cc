#include "core/entry_form.h"

#include <algorithm>

#include "platform/text.h"

namespace core {
namespace {

bool IsWord(const std::string& text) {
  return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
    return static_cast<unsigned char>(c) <= 32 || c == '(' || c == ')' || c == '"';
  });
}

}  // namespace

bool IsFormatKeyword(std::string_view keyword) {
  auto is = [keyword](std::string_view word) {
    return keyword.size() == word.size() &&
           std::equal(keyword.begin(), keyword.end(), word.begin(),
                      [](char a, char b) { return platform::AsciiLower(a) == b; });
  };
  return keyword.starts_with('_') || is("skip") || is("include") || is("comment");
}

const std::vector<std::string>& EntryForm::BlockTypes() {
  static const std::vector<std::string> kTypes = {"Static", "Hazard", "LevelCr", "Pickup",
                                                  "Transfer"};
  return kTypes;
}

const std::vector<std::string>& EntryForm::PropertyNames() {
  static const std::vector<std::string> kNames = {"Class",  "FileName", "Description",
                                                  "Align",  "Shadow",   "StoreMatrix"};
  return kNames;
}

void EntryForm::rfAddClick(const Language& texts) {
  rows.push_back(EntryRow{texts[Msg::CapProperty], texts[Msg::CapValue]});
}

void EntryForm::DeleteRow(size_t index) {
  if (index < rows.size()) rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string EntryForm::Refusal(const Language& texts) const {
  if (!IsWord(block_type)) return texts.Format(Msg::BadBlockType, block_type);
  if (IsFormatKeyword(block_type)) return texts.Format(Msg::FormatBlockType, block_type);
  for (size_t row = 0; row < rows.size(); ++row) {
    if (!IsWord(rows[row].name)) {
      return texts.Format(Msg::BadPropertyName, std::to_string(row + 1), rows[row].name);
    }
  }
  return {};
}

}  // namespace core

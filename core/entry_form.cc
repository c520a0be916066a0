#include "core/entry_form.h"

#include <algorithm>

#include "formats/text.h"

namespace core {
namespace {

bool IsWord(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return formats::text::InWord(static_cast<unsigned char>(c));
  });
}

}  // namespace

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
  // Such blocks are text around the entries, never entries.
  if (formats::text::IsFormatKeyword(block_type)) return texts.Format(Msg::FormatBlockType, block_type);
  for (size_t row = 0; row < rows.size(); ++row) {
    if (!IsWord(rows[row].name)) {
      return texts.Format(Msg::BadPropertyName, std::to_string(row + 1), rows[row].name);
    }
  }
  return {};
}

}  // namespace core

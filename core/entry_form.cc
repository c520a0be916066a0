#include "core/entry_form.h"

namespace core {

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

}  // namespace core

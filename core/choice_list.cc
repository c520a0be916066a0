#include "core/choice_list.h"

#include <algorithm>

#include "platform/text.h"

namespace core {

ChoiceList::ChoiceList(std::vector<std::string> names, AddAction add) : add_(std::move(add)) {
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return platform::LessIgnoreCase(a, b);
  });
  rows_.reserve(names.size());
  for (std::string& name : names) rows_.push_back(Row{std::move(name), false});
}

ChoiceList::ChoiceList(Msg caption, std::vector<std::string> rows) : caption_(caption) {
  rows_.reserve(rows.size());
  for (std::string& row : rows) rows_.push_back(Row{std::move(row), false});
}

std::vector<std::string> ChoiceList::SelectedNames() const {
  std::vector<std::string> names;
  for (const Row& row : rows_) {
    if (row.selected) names.push_back(row.name);
  }
  return names;
}

void ChoiceList::ClAllClick() {
  for (Row& row : rows_) row.selected = true;
}

void ChoiceList::ClNoneClick() {
  for (Row& row : rows_) row.selected = false;
}

void ChoiceList::ClAddToRefClick() {
  if (!add_) return;
  std::vector<std::string> names = SelectedNames();
  if (names.empty()) return;
  add_(names);
  std::erase_if(rows_, [](const Row& row) { return row.selected; });
}

}  // namespace core

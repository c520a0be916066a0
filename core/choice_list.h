// The choice list of objects to delete: file names shown sorted without
// regard to case, each row selected or not. With an add action the list
// offers "Add", which hands the selected names to the action and takes them
// out of the list.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace core {

class ChoiceList {
 public:
  using AddAction = std::function<void(const std::vector<std::string>& names)>;

  explicit ChoiceList(std::vector<std::string> names, AddAction add = {});

  size_t size() const { return rows_.size(); }
  const std::string& Name(size_t row) const { return rows_[row].name; }
  bool IsSelected(size_t row) const { return rows_[row].selected; }
  void Select(size_t row, bool selected) { rows_[row].selected = selected; }
  // The names of the selected rows, top to bottom.
  std::vector<std::string> SelectedNames() const;

  bool HasAdd() const { return static_cast<bool>(add_); }

  // "*" and "X": every row selected, or none.
  void ClAllClick();
  void ClNoneClick();
  // "Add": with at least one row selected, the add action on their names,
  // then those rows leave the list. When the action fails (throws) the
  // rows stay.
  void ClAddToRefClick();

 private:
  struct Row {
    std::string name;
    bool selected = false;
  };
  std::vector<Row> rows_;
  AddAction add_;
};

}  // namespace core

// The choice list of objects to delete: file names shown sorted without
// regard to case, each row selected or not. With an add action the list
// offers "Add", which hands the selected names to the action and takes them
// out of the list. Restore offers its jobs in the same list, in their own
// order and under a caption of their own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/language.h"

namespace core {

class ChoiceList {
 public:
  using AddAction = std::function<void(const std::vector<std::string>& names)>;

  explicit ChoiceList(std::vector<std::string> names, AddAction add = {});
  // Rows as given, under the caption, without "Add".
  ChoiceList(Msg caption, std::vector<std::string> rows);

  // "Objects to delete", or the caption given.
  Msg Caption() const { return caption_; }

  size_t size() const { return rows_.size(); }
  const std::string& Name(size_t row) const { return rows_[row].name; }
  bool IsSelected(size_t row) const { return rows_[row].selected; }
  void Select(size_t row, bool selected) { rows_[row].selected = selected; }
  // The names of the selected rows, top to bottom.
  std::vector<std::string> SelectedNames() const;

  bool HasAdd() const { return static_cast<bool>(add_); }

  // The route whose SHAPES hold the names, so that a window can show what
  // each shape wears; empty when the rows are no shapes.
  std::string route_folder;

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
  Msg caption_ = Msg::CapObjectsToDelete;
};

}  // namespace core

// The Ui of console mode: messages and questions on the terminal, so that a
// console run works where no display exists.
#pragma once

#include "core/ui.h"
#include "platform/file_system.h"
#include "platform/terminal.h"

namespace console {

class ConsoleUi : public core::Ui {
 public:
  ConsoleUi(platform::Terminal& terminal, const platform::FileSystem& files);

  // "Caption: text".
  void Message(const std::string& caption, const std::string& text) override;
  // The question, " [y/n] ", and one line: y, yes, д or да in any letter case
  // mean Yes; anything else, the end of input too, means No.
  // A detail goes on the line before the question.
  bool Ask(const std::string& question, const std::string& detail = {}) override;
  // The title and one line naming the folder; an empty line cancels.
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial_folder) override;
  // The dialog's title and filter, then one line of names separated by ";"
  // (a save dialog takes one name); an empty line cancels.
  std::vector<std::string> OpenFiles(const core::FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const core::FileDialog& dialog) override;
  // The caption and the candidates, then one line with the new name; an
  // empty line cancels.
  std::optional<std::string> ChooseTexture(const core::TextureChoice& choice) override;
  // The rows numbered from 1, then one line: row numbers and ranges
  // ("1 3 5-7"), "all" or "none" for OK; with the list's "Add", "add 1 3"
  // adds those rows and asks again. An empty line or the end of input is
  // Cancel.
  bool ChooseObjects(core::ChoiceList& list) override;
  // The rows numbered from 1, then one line at a time: "type TEXT",
  // "N NAME=VALUE" (row N, or a new last row), "add", "del N", "ok". An
  // empty line or the end of input is Cancel.
  bool EditEntry(core::EntryForm& form) override;
  // The label and the position on standard error, on one line that is
  // rewritten; nothing when standard error is not a terminal.
  std::unique_ptr<core::Progress> ShowProgress() override;
  void ReportError(const std::string& text) override;

 private:
  std::optional<std::string> ReadAnswer();

  platform::Terminal& terminal_;
  const platform::FileSystem& files_;
};

}  // namespace console

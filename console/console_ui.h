// The Ui of console mode: messages and questions on the terminal, so that a
// console run works where no display exists.
#pragma once

#include <optional>

#include "console/progress_line.h"
#include "core/language.h"
#include "core/ui.h"
#include "platform/file_system.h"
#include "platform/terminal.h"

namespace console {

class ConsoleUi : public core::Ui {
 public:
  ConsoleUi(platform::Terminal& terminal, const platform::FileSystem& files);

  // The message table of the texts it makes itself; English until then.
  void Attach(const core::Language& texts);

  // Whether a message or an error was shown since the last call.
  bool TakeTrouble();

  // The terminal as all console output must reach it: through the progress
  // line, which it takes away first.
  platform::Terminal& terminal() { return terminal_; }

  // Every answer is one whole line, however long. At the end of input no
  // answer can come: each question throws core::Cancelled, which ends the
  // command that asked.

  // "Caption: text".
  void Message(const std::string& caption, const std::string& text) override;
  // The question, " [y/n] ", and one line: y, yes, д or да in any letter case
  // mean Yes; anything else means No.
  // A detail goes on the line before the question.
  bool Ask(const std::string& question, const std::string& detail = {}) override;
  // The title and one line naming the folder; an empty line cancels.
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial_folder) override;
  // The dialog's title and the wildcards of its filter, then one line of
  // names separated by ";" (a save dialog takes one name, given the default
  // extension when it has none); an empty line cancels.
  std::vector<std::string> OpenFiles(const core::FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const core::FileDialog& dialog) override;
  // The caption and the candidates, then one line with the new name; an
  // empty line cancels.
  std::optional<std::string> ChooseTexture(const core::TextureChoice& choice) override;
  // The rows numbered from 1, then one line: row numbers and ranges
  // ("1 3 5-7"), "all" or "none" for OK; with the list's "Add", "add 1 3"
  // adds those rows and asks again. An empty line is Cancel.
  bool ChooseObjects(core::ChoiceList& list) override;
  // The rows numbered from 1, then one line at a time: "type TEXT",
  // "N NAME=VALUE" (row N, or a new last row), "add", "del N", "ok". An
  // empty line is Cancel.
  bool EditEntry(core::EntryForm& form) override;
  // The label and "N of M" items (or the position of the range) on
  // standard error, on one line rewritten when it changes and taken away
  // before any other output and at the end; nothing when standard error is
  // not a terminal, which is asked once.
  std::unique_ptr<core::Progress> ShowProgress() override;
  void ReportError(const std::string& text) override;

 private:
  std::string ReadAnswer();

  ProgressLine terminal_;
  const platform::FileSystem& files_;
  core::Language english_{core::kEnglish};
  const core::Language* texts_ = &english_;
  bool trouble_ = false;
  std::optional<bool> error_is_terminal_;
};

}  // namespace console

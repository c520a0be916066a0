// Every place where an operation needs a person. The window answers with
// dialogs, the console on the terminal, tests with prepared answers.
#pragma once

#include <optional>
#include <string>

namespace core {

class Ui {
 public:
  virtual ~Ui() = default;

  // A message box with an OK button; the caption is "Warning" or "Error".
  virtual void Message(const std::string& caption, const std::string& text) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool Ask(const std::string& question) = 0;
  // The folder browser; nothing when the user cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initial_folder) = 0;
  // The general error report for an error no operation handled.
  virtual void ReportError(const std::string& text) = 0;
};

}  // namespace core

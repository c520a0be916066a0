// Every place where an operation needs a person. The window answers with
// dialogs, the console on the terminal, tests with prepared answers.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/choice_list.h"
#include "core/entry_form.h"

namespace core {

// An open or save file dialog. The filter pairs descriptions and wildcards,
// all joined by "|": "Targa Bitmap(*.tga)|*.tga|Bitmap(*.bmp)|*.bmp".
struct FileDialog {
  std::string title;
  std::string filter;
  std::string default_extension;
  std::string initial_folder;
  bool multiple = false;           // open: several files may be picked
  bool confirm_overwrite = false;  // save: ask before an existing file is chosen
};

// The texture replacement dialog: a new texture name for one the shape
// names but the source folder lacks.
struct TextureChoice {
  std::string caption;        // "Texture replace " and the missing name
  std::string group_caption;  // "Textures"
  std::string label;          // "Change on"
  std::vector<std::string> candidates;  // names without extension, sorted
  std::string text;           // the name offered at first
};

// Raised where no answer can come any more (the end of the console's
// input): the operation that asked ends there, with the text saying so.
class Cancelled : public std::runtime_error {
 public:
  explicit Cancelled(const std::string& text) : std::runtime_error(text) {}
};

// The progress window shown over long work: a bar and a label under it. It
// closes when the object is destroyed.
class Progress {
 public:
  virtual ~Progress() = default;
  // The bar runs from 0 to maximum; the position is kept within it.
  virtual void SetRange(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // One step on, stopping at the maximum.
  virtual void Step() = 0;
  virtual void SetLabel(const std::string& text) = 0;
  // Which item (a file) of how many the work is at, from 1; shown with
  // the label set next.
  virtual void SetItem(int number, int count) = 0;
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A message box with an OK button; the caption is "Warning" or "Error"
  // (empty for a few plain notices).
  virtual void Message(const std::string& caption, const std::string& text) = 0;
  // A question with Yes and No; true for Yes. The detail names what the
  // question is about (a file), shown with it; the question keeps its text.
  virtual bool Ask(const std::string& question, const std::string& detail = {}) = 0;
  // The folder browser; nothing when the user cancels.
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& initial_folder) = 0;
  // The picked files, in the dialog's order; none when the user cancels.
  virtual std::vector<std::string> OpenFiles(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialog& dialog) = 0;
  // The chosen name (without extension), or nothing on Cancel.
  virtual std::optional<std::string> ChooseTexture(const TextureChoice& choice) = 0;
  // The choice list of objects to delete, shown modally over the list; the
  // person selects rows (and, when the list has one, presses "Add"). True
  // for OK, false for Cancel.
  virtual bool ChooseObjects(ChoiceList& list) = 0;
  // The entry editor, shown modally over the form. True for OK.
  virtual bool EditEntry(EntryForm& form) = 0;
  // Shows the progress window until the result is destroyed.
  virtual std::unique_ptr<Progress> ShowProgress() = 0;
  // The general error report for an error no operation handled.
  virtual void ReportError(const std::string& text) = 0;

  // Long work (tool runs, folder walks, file scans) calls this between its
  // steps, as often as it likes: the window repaints at most a few times a
  // second and takes no input until the work ends.
  void KeepAlive();

 protected:
  // Lets the window paint what is pending. Nothing to do without a window.
  virtual void ProcessEvents() {}

 private:
  std::chrono::steady_clock::time_point last_events_{};
};

}  // namespace core

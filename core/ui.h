// Every place where an operation needs a person. The window answers with
// dialogs, the console on the terminal, tests with prepared answers.
#pragma once

#include <optional>
#include <string>
#include <vector>

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
  // The picked files, in the dialog's order; none when the user cancels.
  virtual std::vector<std::string> OpenFiles(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialog& dialog) = 0;
  // The chosen name (without extension), or nothing on Cancel.
  virtual std::optional<std::string> ChooseTexture(const TextureChoice& choice) = 0;
  // The general error report for an error no operation handled.
  virtual void ReportError(const std::string& text) = 0;
};

}  // namespace core

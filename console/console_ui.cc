#include "console/console_ui.h"

#include "console/console.h"
#include "core/strings.h"
#include "platform/text.h"

namespace console {

ConsoleUi::ConsoleUi(platform::Terminal& terminal, const platform::FileSystem& files)
    : terminal_(terminal), files_(files) {}

std::optional<std::string> ConsoleUi::ReadAnswer() {
  std::optional<std::string> line = terminal_.ReadLine(Console::kMaxLine);
  if (!line) {
    terminal_.Write("\n");
    return std::nullopt;
  }
  return core::Trim(*line);
}

void ConsoleUi::Message(const std::string& caption, const std::string& text) {
  terminal_.Write(caption + ": " + text + "\n");
}

bool ConsoleUi::Ask(const std::string& question) {
  terminal_.Write(question + " [y/n] ");
  std::optional<std::string> answer = ReadAnswer();
  if (!answer) return false;
  std::string word = platform::LowerCase(*answer);
  return word == "y" || word == "yes" || word == "д" || word == "да";
}

std::optional<std::string> ConsoleUi::ChooseFolder(const std::string& title,
                                                   const std::string& initial_folder) {
  terminal_.Write(title + "\n");
  if (!initial_folder.empty()) terminal_.Write("(" + initial_folder + ")\n");
  terminal_.Write("Folder (empty to cancel): ");
  std::optional<std::string> answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return files_.FromUserPath(*answer);
}

std::vector<std::string> ConsoleUi::OpenFiles(const core::FileDialog& dialog) {
  if (!dialog.title.empty()) terminal_.Write(dialog.title + "\n");
  terminal_.Write((dialog.multiple ? "Files (" : "File (") + dialog.filter +
                  "; empty to cancel): ");
  std::optional<std::string> answer = ReadAnswer();
  std::vector<std::string> files;
  if (!answer) return files;
  for (const std::string& name : core::SplitText(*answer, ';')) {
    std::string trimmed = core::Trim(name);
    if (!trimmed.empty()) files.push_back(files_.FromUserPath(trimmed));
    if (!dialog.multiple && !files.empty()) break;
  }
  return files;
}

std::optional<std::string> ConsoleUi::SaveFile(const core::FileDialog& dialog) {
  if (!dialog.title.empty()) terminal_.Write(dialog.title + "\n");
  terminal_.Write("Save as (" + dialog.filter + "; empty to cancel): ");
  std::optional<std::string> answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return files_.FromUserPath(*answer);
}

std::optional<std::string> ConsoleUi::ChooseTexture(const core::TextureChoice& choice) {
  terminal_.Write(choice.caption + "\n" + choice.group_caption + ":");
  for (const std::string& candidate : choice.candidates) terminal_.Write(" " + candidate);
  terminal_.Write("\n" + choice.label + " [" + choice.text + "] (empty to cancel): ");
  std::optional<std::string> answer = ReadAnswer();
  if (!answer || answer->empty()) return std::nullopt;
  return *answer;
}

void ConsoleUi::ReportError(const std::string& text) { terminal_.Write(text + "\n"); }

}  // namespace console

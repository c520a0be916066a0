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

void ConsoleUi::ReportError(const std::string& text) { terminal_.Write(text + "\n"); }

}  // namespace console

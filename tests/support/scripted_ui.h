// A Ui for tests: records what the operations showed and answers from a
// prepared script.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"

namespace test_support {

class ScriptedUi : public core::Ui {
 public:
  // Everything shown, in order: "Warning: text", "Ask: text", "Folder: title",
  // "Error report: text".
  std::vector<std::string> shown;
  // Answers to questions, taken in order; No when none is left.
  std::deque<bool> answers;
  // Folders to choose, taken in order; a cancel when none is left.
  std::deque<std::optional<std::string>> folders;

  void Message(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + ": " + text);
  }
  bool Ask(const std::string& question) override {
    shown.push_back("Ask: " + question);
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial_folder) override {
    shown.push_back("Folder: " + title);
    if (folders.empty()) return std::nullopt;
    auto folder = folders.front();
    folders.pop_front();
    return folder;
  }
  void ReportError(const std::string& text) override { shown.push_back("Error report: " + text); }
};

}  // namespace test_support

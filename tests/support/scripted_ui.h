// A Ui for tests: records what the operations showed and answers from a
// prepared script.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"

namespace test_support {

class ScriptedUi : public core::Ui {
 public:
  // Everything shown, in order: "Warning: text", "Ask: text" (with
  // " [detail]" when the question has one), "Folder: title", "Open: filter",
  // "Save: filter", "Texture: caption", "Objects: n rows" (", Add" with the
  // button), "Editor: type", "Progress: label", "Error report: text".
  std::vector<std::string> shown;
  // Answers to questions, taken in order; No when none is left.
  std::deque<bool> answers;
  // Folders to choose, taken in order; a cancel when none is left.
  std::deque<std::optional<std::string>> folders;
  // Files picked in open dialogs, one list per dialog; a cancel when none is left.
  std::deque<std::vector<std::string>> opened;
  // Files chosen in save dialogs; a cancel when none is left.
  std::deque<std::optional<std::string>> saved;
  // Texture names chosen in the replacement dialog; Cancel when none is left.
  std::deque<std::optional<std::string>> textures;
  // The replacement dialogs as they were shown.
  std::vector<core::TextureChoice> texture_choices;
  // The initial folder of every folder browser, and every file dialog, as shown.
  std::vector<std::string> folder_initials;
  std::vector<core::FileDialog> file_dialogs;
  // Play the person in the entry editor and the choice list: work on what
  // was shown and return OK (true) or Cancel. Cancel when unset.
  std::function<bool(core::EntryForm&)> edit_entry;
  std::function<bool(core::ChoiceList&)> choose_objects;
  // Every progress window: its range, positions, labels and items as
  // "r:500", "p:5", "l:text", "i:3/10" in the order they were set.
  std::vector<std::vector<std::string>> progress;

  void Message(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + ": " + text);
  }
  bool Ask(const std::string& question, const std::string& detail = {}) override {
    shown.push_back("Ask: " + question + (detail.empty() ? "" : " [" + detail + "]"));
    return Take(answers, false);
  }
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& initial_folder) override {
    shown.push_back("Folder: " + title);
    folder_initials.push_back(initial_folder);
    return Take(folders, std::optional<std::string>{});
  }
  std::vector<std::string> OpenFiles(const core::FileDialog& dialog) override {
    shown.push_back("Open: " + dialog.filter);
    file_dialogs.push_back(dialog);
    return Take(opened, std::vector<std::string>{});
  }
  std::optional<std::string> SaveFile(const core::FileDialog& dialog) override {
    shown.push_back("Save: " + dialog.filter);
    file_dialogs.push_back(dialog);
    return Take(saved, std::optional<std::string>{});
  }
  std::optional<std::string> ChooseTexture(const core::TextureChoice& choice) override {
    shown.push_back("Texture: " + choice.caption);
    texture_choices.push_back(choice);
    return Take(textures, std::optional<std::string>{});
  }
  bool ChooseObjects(core::ChoiceList& list) override {
    shown.push_back("Objects: " + std::to_string(list.size()) + " rows" +
                    (list.HasAdd() ? ", Add" : ""));
    return choose_objects && choose_objects(list);
  }
  bool EditEntry(core::EntryForm& form) override {
    shown.push_back("Editor: " + form.block_type);
    return edit_entry && edit_entry(form);
  }
  std::unique_ptr<core::Progress> ShowProgress() override {
    progress.emplace_back();
    return std::make_unique<RecordedProgress>(*this, progress.size() - 1);
  }
  void ReportError(const std::string& text) override { shown.push_back("Error report: " + text); }

 private:
  class RecordedProgress : public core::Progress {
   public:
    RecordedProgress(ScriptedUi& ui, size_t index) : ui_(ui), index_(index) {}
    void SetRange(int maximum) override { Record("r:" + std::to_string(maximum)); }
    void SetPosition(int position) override { Record("p:" + std::to_string(position)); }
    void Step() override { Record("step"); }
    void SetLabel(const std::string& text) override { Record("l:" + text); }
    void SetItem(int number, int count) override {
      Record("i:" + std::to_string(number) + "/" + std::to_string(count));
    }

   private:
    void Record(std::string event) { ui_.progress[index_].push_back(std::move(event)); }
    ScriptedUi& ui_;
    size_t index_;
  };

  template <typename T>
  static T Take(std::deque<T>& queue, T none) {
    if (queue.empty()) return none;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
  }
};

}  // namespace test_support

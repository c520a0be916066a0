#include "console/console_ui.h"

#include <algorithm>
#include <utility>

#include "core/strings.h"
#include "platform/text.h"

namespace console {
namespace {

// Row numbers from 1 and ranges "5-7", separated by blanks, as indexes from
// 0; nothing when a word is neither or names no row.
std::optional<std::vector<size_t>> ParseRows(std::string_view text, size_t count) {
  std::vector<size_t> rows;
  for (const std::string& word : core::SplitText(core::Trim(text), ' ')) {
    if (word.empty()) continue;
    const size_t dash = word.find('-', 1);
    int first = 0;
    int last = 0;
    if (!core::ParseWholeNumber(word.substr(0, dash), first)) return std::nullopt;
    last = first;
    if (dash != std::string::npos && !core::ParseWholeNumber(word.substr(dash + 1), last)) {
      return std::nullopt;
    }
    if (first < 1 || last < first || static_cast<size_t>(last) > count) return std::nullopt;
    for (int row = first; row <= last; ++row) rows.push_back(static_cast<size_t>(row - 1));
  }
  return rows;
}

class TerminalProgress : public core::Progress {
 public:
  TerminalProgress(ProgressLine& terminal, const core::Language& texts, bool shown)
      : terminal_(terminal), texts_(texts), shown_(shown) {}
  ~TerminalProgress() override { terminal_.Clear(); }
  void SetRange(int maximum) override {
    maximum_ = std::max(0, maximum);
    position_ = std::min(position_, maximum_);
  }
  void SetPosition(int position) override {
    position_ = std::clamp(position, 0, maximum_);
    Show();
  }
  void Step() override { SetPosition(position_ + 1); }
  void SetLabel(const std::string& text) override {
    label_ = text;
    Show();
  }
  void SetItem(int number, int count) override {
    item_ = texts_.Format(core::Msg::ItemOf, std::to_string(number), std::to_string(count));
  }

 private:
  // Items counted mean more than a bar position, which may run through the
  // same range once for each of them.
  void Show() {
    if (!shown_ || label_.empty()) return;
    const std::string line =
        label_ + " (" +
        (item_.empty() ? texts_.Format(core::Msg::ItemOf, std::to_string(position_),
                                       std::to_string(maximum_))
                       : item_) +
        ")";
    if (line == line_) return;
    line_ = line;
    terminal_.Show(line);
  }

  ProgressLine& terminal_;
  const core::Language& texts_;
  const bool shown_;
  std::string label_;
  std::string item_;
  std::string line_;
  int maximum_ = 100;
  int position_ = 0;
};

// What a file dialog's filter offers, as a person types it: its wildcards,
// "*.*" standing for the default extension when there is one.
std::string Wildcards(const core::FileDialog& dialog) {
  const std::vector<std::string> parts = core::SplitText(dialog.filter, '|');
  std::string shown;
  for (size_t i = 1; i < parts.size(); i += 2) {
    std::string wildcard = parts[i];
    if (wildcard == "*.*" && !dialog.default_extension.empty()) {
      wildcard = "*." + dialog.default_extension;
    }
    if (shown.find(wildcard) == std::string::npos) shown += (shown.empty() ? "" : ", ") + wildcard;
  }
  return shown;
}

// A name typed without an extension takes the default one, as the save
// dialog gives it.
std::string WithExtension(const std::string& name, const std::string& extension) {
  const size_t last = name.find_last_of("\\/:");
  const size_t dot = name.rfind('.');
  const bool has_one = dot != std::string::npos && (last == std::string::npos || dot > last);
  return has_one || extension.empty() ? name : name + "." + extension;
}

}  // namespace

ConsoleUi::ConsoleUi(platform::Terminal& terminal, const platform::FileSystem& files)
    : terminal_(terminal), files_(files) {}

void ConsoleUi::Attach(const core::Language& texts) { texts_ = &texts; }

bool ConsoleUi::TakeTrouble() { return std::exchange(trouble_, false); }

std::string ConsoleUi::ReadAnswer() {
  constexpr size_t kPiece = 4096;
  // A line longer than one read comes in pieces, all of them the answer:
  // the tail of one must never answer the next question.
  std::string line;
  while (line.empty() || line.back() != '\n') {
    std::optional<std::string> piece = terminal_.ReadLine(kPiece);
    if (!piece) break;
    line += *piece;
  }
  if (line.empty()) {
    terminal_.Write("\n");
    throw core::Cancelled((*texts_)[core::Msg::EndOfInput]);
  }
  return core::Trim(line);
}

void ConsoleUi::Message(const std::string& caption, const std::string& text) {
  trouble_ = true;
  terminal_.Write(caption + ": " + text + "\n");
}

bool ConsoleUi::Ask(const std::string& question, const std::string& detail) {
  if (!detail.empty()) terminal_.Write(detail + "\n");
  for (;;) {
    terminal_.Write(question + " [y/n] ");
    const std::string answer = ReadAnswer();
    const std::string word = platform::LowerCase(answer);
    if (word == "y" || word == "yes" || word == "д" || word == "да") return true;
    if (word == "n" || word == "no" || word == "н" || word == "нет") return false;
    // Taken as "no", a mistyped "yes" would skip what the user meant to do.
    terminal_.Write(texts_->Format(core::Msg::NoAnswer, answer) + "\n");
  }
}

std::optional<std::string> ConsoleUi::ChooseFolder(const std::string& title,
                                                   const std::string& initial_folder) {
  terminal_.Write(title + "\n");
  if (!initial_folder.empty()) terminal_.Write("(" + initial_folder + ")\n");
  terminal_.Write((*texts_)[core::Msg::FolderPrompt]);
  const std::string answer = ReadAnswer();
  if (answer.empty()) return std::nullopt;
  return files_.FromUserPath(answer);
}

std::vector<std::string> ConsoleUi::OpenFiles(const core::FileDialog& dialog) {
  if (!dialog.title.empty()) terminal_.Write(dialog.title + "\n");
  terminal_.Write(texts_->Format(dialog.multiple ? core::Msg::FilesPrompt : core::Msg::FilePrompt,
                                 Wildcards(dialog)));
  std::vector<std::string> files;
  for (const std::string& name : core::SplitText(ReadAnswer(), ';')) {
    std::string trimmed = core::Trim(name);
    if (!trimmed.empty()) files.push_back(files_.FromUserPath(trimmed));
    if (!dialog.multiple && !files.empty()) break;
  }
  return files;
}

std::optional<std::string> ConsoleUi::SaveFile(const core::FileDialog& dialog) {
  if (!dialog.title.empty()) terminal_.Write(dialog.title + "\n");
  terminal_.Write(texts_->Format(core::Msg::SavePrompt, Wildcards(dialog)));
  const std::string answer = ReadAnswer();
  if (answer.empty()) return std::nullopt;
  return files_.FromUserPath(WithExtension(answer, dialog.default_extension));
}

std::optional<std::string> ConsoleUi::ChooseTexture(const core::TextureChoice& choice) {
  terminal_.Write(choice.caption + "\n" + choice.group_caption + ":");
  for (const std::string& candidate : choice.candidates) terminal_.Write(" " + candidate);
  terminal_.Write("\n" + texts_->Format(core::Msg::NewNamePrompt, choice.label, choice.text));
  const std::string answer = ReadAnswer();
  if (answer.empty()) return std::nullopt;
  return answer;
}

bool ConsoleUi::ChooseObjects(core::ChoiceList& list) {
  for (;;) {
    // One write for the whole list rather than a system call per row: the
    // unused search lists thousands.
    std::string listing;
    for (size_t row = 0; row < list.size(); ++row) {
      listing += std::to_string(row + 1) + "  " + list.Name(row) + "\n";
    }
    terminal_.Write(listing);
    terminal_.Write((*texts_)[list.HasAdd() ? core::Msg::RowsAddPrompt : core::Msg::RowsPrompt]);
    const std::string answer = ReadAnswer();
    if (answer.empty()) return false;
    const std::string word = platform::LowerCase(answer);
    if (word == "all") {
      list.ClAllClick();
      return true;
    }
    if (word == "none") {
      list.ClNoneClick();
      return true;
    }
    const bool add = list.HasAdd() && word.starts_with("add ");
    std::optional<std::vector<size_t>> rows = ParseRows(add ? word.substr(4) : word, list.size());
    if (!rows) {
      terminal_.Write(texts_->Format(core::Msg::NoSuchRow, answer) + "\n");
      continue;
    }
    list.ClNoneClick();
    for (size_t row : *rows) list.Select(row, true);
    if (!add) return true;
    list.ClAddToRefClick();
  }
}

bool ConsoleUi::EditEntry(core::EntryForm& form) {
  for (;;) {
    terminal_.Write(form.block_type + "\n");
    for (size_t row = 0; row < form.rows.size(); ++row) {
      terminal_.Write(std::to_string(row + 1) + "  " + form.rows[row].name + " = " +
                      form.rows[row].value + "\n");
    }
    terminal_.Write((*texts_)[core::Msg::EditPrompt]);
    const std::string line = ReadAnswer();
    if (line.empty()) return false;
    if (line == "ok") return true;
    if (line == "add") {
      form.rfAddClick(*texts_);
      continue;
    }
    if (line.starts_with("type ")) {
      form.block_type = core::Trim(line.substr(5));
      continue;
    }
    const bool remove = line.starts_with("del ");
    const std::string rest = remove ? line.substr(4) : line;
    const size_t blank = rest.find(' ');
    int number = 0;
    const bool numbered = core::ParseWholeNumber(rest.substr(0, blank), number) && number >= 1;
    const size_t row = static_cast<size_t>(number - 1);
    if (remove && numbered && row < form.rows.size()) {
      form.DeleteRow(row);
      continue;
    }
    const size_t equals = rest.find('=');
    if (!remove && numbered && blank != std::string::npos && equals != std::string::npos &&
        row <= form.rows.size()) {
      if (row == form.rows.size()) form.rows.emplace_back();
      form.rows[row].name = core::Trim(rest.substr(blank + 1, equals - blank - 1));
      form.rows[row].value = core::Trim(rest.substr(equals + 1));
      continue;
    }
    terminal_.Write(texts_->Format(core::Msg::NotAnEditorCommand, line) + "\n");
  }
}

std::unique_ptr<core::Progress> ConsoleUi::ShowProgress() {
  if (!error_is_terminal_) error_is_terminal_ = terminal_.ErrorIsTerminal();
  return std::make_unique<TerminalProgress>(terminal_, *texts_, *error_is_terminal_);
}

void ConsoleUi::ReportError(const std::string& text) {
  trouble_ = true;
  terminal_.Write(text + "\n");
}

}  // namespace console

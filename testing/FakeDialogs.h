#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Dialogs.h"

namespace tg::testing {

// Scripted answers to the modal boxes. An answer may carry work that runs while
// the box is open, as timer ticks run inside a real modal box.
class FakeDialogs : public Dialogs {
 public:
  void answerNext(Answer answer, std::function<void()> whileOpen = {}) {
    script_.push_back({answer, std::move(whileOpen)});
  }

  Answer askYesNo(const std::string& text) override {
    questions.push_back(text);
    if (script_.empty()) return Answer::No;  // an unscripted question is declined
    Scripted next = std::move(script_.front());
    script_.pop_front();
    if (next.whileOpen) next.whileOpen();
    return next.answer;
  }

  void reportError(const std::string& text) override { errors.push_back(text); }
  void inform(const std::string& text) override { told.push_back(text); }

  // The Save and Open dialogs take the next scripted choice (none: cancelled).
  std::optional<SaveChoice> chooseFileToSave(const std::string& title, const std::vector<FileType>& types,
                                             const std::string& suggestedName) override {
    fileDialogs.push_back({title, types, suggestedName});
    std::optional<SaveChoice> chosen = std::move(nextSave);
    nextSave.reset();
    return chosen;
  }
  std::vector<std::string> chooseFilesToOpen(const std::string& title, const std::vector<FileType>& types,
                                             bool several) override {
    fileDialogs.push_back({title, types, several ? "several" : ""});
    return std::exchange(nextOpen, {});
  }

  // The menus shown, and the item the next one takes (-1: none).
  int popupMenu(const std::vector<std::string>& items) override {
    menus.push_back(items);
    const int chosen = nextMenuChoice;
    nextMenuChoice = -1;
    return chosen;
  }

  std::vector<std::string> questions;
  std::vector<std::string> errors;
  std::vector<std::string> told;
  struct FileDialogShown {
    std::string title;
    std::vector<FileType> types;
    std::string suggestedName;  // "several" for an Open dialog that takes several files
  };
  std::vector<FileDialogShown> fileDialogs;
  std::optional<SaveChoice> nextSave;
  std::vector<std::string> nextOpen;
  std::vector<std::vector<std::string>> menus;
  int nextMenuChoice = -1;

 private:
  struct Scripted {
    Answer answer;
    std::function<void()> whileOpen;
  };
  std::deque<Scripted> script_;
};

}  // namespace tg::testing

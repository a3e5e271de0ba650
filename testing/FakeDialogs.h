#pragma once

#include <deque>
#include <functional>
#include <string>
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

  // The menus shown, and the item the next one takes (-1: none).
  int popupMenu(const std::vector<std::string>& items) override {
    menus.push_back(items);
    const int chosen = nextMenuChoice;
    nextMenuChoice = -1;
    return chosen;
  }

  std::vector<std::string> questions;
  std::vector<std::string> errors;
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

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Timers.h"
#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/Desktop.h"
#include "ui/Form.h"
#include "ui/Static.h"

namespace tg {

// TAboutBox: a small window with the product's name, version, year, web site
// and e-mail. Each is its own window; OK or its close box closes only its own.
class AboutBox {
 public:
  AboutBox(ui::Desktop& desktop, const std::string& version);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  void show();
  // Hides the box, then onClosed.
  void OKButtonClick();
  bool shown() const { return form.visible(); }
  std::function<void()> onClosed;

  ui::Desktop& desktop;
  ui::Form form;
  ui::Panel& Panel1;
  ui::Picture& ProgramIcon;
  ui::Label& ProductName;
  ui::Label& Version;
  ui::Label& YearLine;
  ui::Label& Label1;
  ui::Label& Comments;
  ui::Button& OKButton;
};

// The about boxes that are open. A closed box is destroyed on the next turn of
// the message loop: its own button's handler is still running when it closes.
class AboutBoxes {
 public:
  AboutBoxes(ui::Desktop& desktop, Timers& timers, std::string version)
      : desktop_(desktop), timers_(timers), version_(std::move(version)) {}
  ~AboutBoxes();
  AboutBoxes(const AboutBoxes&) = delete;
  AboutBoxes& operator=(const AboutBoxes&) = delete;

  // One more box, shown.
  AboutBox& open();
  // Hides every box at once (the application ends).
  void hideAll();
  // The boxes not yet destroyed, closed ones waiting for their turn included.
  std::size_t count() const { return boxes_.size(); }
  AboutBox& operator[](std::size_t i) const { return *boxes_[i]; }

 private:
  void destroyClosed();
  ui::Desktop& desktop_;
  Timers& timers_;
  std::string version_;
  std::vector<std::unique_ptr<AboutBox>> boxes_;
  TimerId sweep_ = 0;  // the pending destruction of closed boxes, 0 when none
};

}  // namespace tg

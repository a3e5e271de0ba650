#pragma once

#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/Desktop.h"
#include "ui/Form.h"
#include "ui/Static.h"

namespace tg {

// TAboutBox: a small window with the product's name, version, year, web site
// and e-mail. Each is its own window; OK hides only its own.
class AboutBox {
 public:
  explicit AboutBox(ui::Desktop& desktop);
  ~AboutBox();
  AboutBox(const AboutBox&) = delete;
  AboutBox& operator=(const AboutBox&) = delete;

  void show();
  void OKButtonClick();
  bool shown() const { return form.visible(); }

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

}  // namespace tg

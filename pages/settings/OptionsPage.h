#pragma once

#include <array>
#include <memory>
#include <string>

#include "pages/PageContext.h"
#include "stores/StoreTransfer.h"
#include "ui/Containers.h"
#include "ui/Button.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Lists.h"
#include "ui/Static.h"

namespace tg {

// The language codes in the order the language list shows them; each row's
// flag is the image of the same index.
constexpr std::array<const char*, 5> kLanguageListCodes = {"FR", "GB", "ESP", "DE", "ITA"};

// Emptying the alert store, and switching the window's texts to another
// language at once.
class OptionsPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void BitBtn4Click();
  void BitBtn5Click();
  void ComboBox3DrawItem(int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas);
  // Export and import of the records chosen in CarryList, through the Save and Open dialogs.
  void ExportClick();
  void ImportClick();

  ui::Label& StoreLabel;
  ui::ComboBox& StoreList;
  ui::Button& BitBtn4;  // clear
  ui::Label& LanguageLabel;
  ui::ComboBox& ComboBox3;
  ui::Button& BitBtn5;  // apply
  // In the free band below: what to carry to another machine, and the two buttons.
  ui::GroupBox& TransferGroup;
  ui::Label& CarryLabel;
  ui::ComboBox& CarryList;  // the carried stores in their order, then all of them
  ui::Button& ExportButton;
  ui::Button& ImportButton;

 private:
  explicit OptionsPage(PageContext& c);
  StoreTransfer transfer() const;
  void tell(const TransferResult& result);
  PageContext c_;
};

// One row of the language list: odd rows light grey, even rows white, the text
// at 30 pixels; a selected row light blue with its text in bold italic blue;
// the row's flag at 4 pixels, centred, over all.
void drawLanguageRow(ui::Canvas& canvas, const ui::ImageList& flags, int index, const std::string& text,
                     const ui::Rect& area, ui::ItemState state);

}  // namespace tg

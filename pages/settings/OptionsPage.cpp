#include "pages/settings/OptionsPage.h"

#include <stdexcept>

#include "pages/PageContext.h"
#include "pages/records/RecordEdits.h"
#include "stores/LanguageChoice.h"
#include "stores/LanguageTable.h"
#include "base/Text.h"
#include "stores/TextFile.h"

namespace tg {

namespace {

// The whole table of a language file, or an error naming the file: a file that
// cannot give every entry would leave the window in two languages.
Lines completeLanguageFile(FileSystem& files, const std::string& path) {
  const std::optional<Lines> lines = readLines(files, path);
  if (!lines) throw std::runtime_error(path + " cannot be read: the language stays as it was.");
  if (lines->size() < static_cast<std::size_t>(LanguageTable::kEntries))
    throw std::runtime_error(path + " holds " + std::to_string(lines->size()) + " lines instead of " +
                             std::to_string(LanguageTable::kEntries) + ": the language stays as it was.");
  return *lines;
}

// langues.xml then holds the one row of `code`. A save that fails leaves the
// store in memory as it was, so that the stored choice and the file agree.
void storeLanguageChoice(Stores& stores, const std::string& code) {
  RecordStore& choice = stores.table(StoreId::Language);
  const std::vector<Row> before = choice.wholeRows();
  try {
    choice.emptyDataSet();
    choice.append();
    choice.setField("Champ1", code);
    choice.post();
    stores.save(StoreId::Language);  // one atomic save: the file is never left empty
  } catch (const StoreError&) {
    choice.assign(choice.fieldDefs(), before);
    throw;
  }
}

// The language list is drawn by its owner from the start: the native list
// takes that style only when it is created, which is as the list is added.
class LanguageList : public ui::ComboBox {
 public:
  LanguageList(std::string name, ui::Rect bounds) : ComboBox(std::move(name), bounds, Style::DropDownList) {
    setOwnerDrawn(true);
  }
};

// The captions of kCarriedStores in the carry list.
constexpr std::array<int, kCarriedStores.size()> kCarriedEntries = {2, 3, 5, 62};

bool endsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && equalsIgnoringAsciiCase(std::string_view(text).substr(text.size() - end.size()), end);
}

std::string withoutEllipsis(std::string caption) {
  while (!caption.empty() && caption.back() == '.') caption.pop_back();
  return caption;
}

}  // namespace

OptionsPage::OptionsPage(PageContext& c)
    // The labels take the width of their text: a fixed one would cut the
    // longer captions of some languages.
    : StoreLabel(c.panel.add<ui::Label>("StoreLabel", ui::Rect{56, 80, 0, 0}, c.text(16))),
      StoreList(c.panel.add<ui::ComboBox>("StoreList", ui::Rect{176, 72, 233, 19}, ui::ComboBox::Style::DropDownList)),
      BitBtn4(c.panel.add<ui::Button>("BitBtn4", ui::Rect{416, 72, 145, 25}, ui::ButtonKind::No, c.text(18))),
      LanguageLabel(c.panel.add<ui::Label>("LanguageLabel", ui::Rect{56, 136, 0, 0}, c.text(17))),
      ComboBox3(c.panel.add<LanguageList>("ComboBox3", ui::Rect{176, 136, 233, 19})),
      BitBtn5(c.panel.add<ui::Button>("BitBtn5", ui::Rect{416, 136, 145, 25}, ui::ButtonKind::OK, c.text(19))),
      TransferGroup(c.panel.add<ui::GroupBox>("TransferGroup", ui::Rect{56, 200, 505, 100}, c.text(111))),
      CarryLabel(TransferGroup.add<ui::Label>("CarryLabel", ui::Rect{16, 32, 0, 0}, c.text(112))),
      CarryList(TransferGroup.add<ui::ComboBox>("CarryList", ui::Rect{120, 28, 233, 19},
                                                ui::ComboBox::Style::DropDownList)),
      ExportButton(TransferGroup.add<ui::Button>("ExportButton", ui::Rect{120, 62, 112, 25}, ui::ButtonKind::Custom,
                                                 c.text(113))),
      ImportButton(TransferGroup.add<ui::Button>("ImportButton", ui::Rect{241, 62, 112, 25}, ui::ButtonKind::Custom,
                                                 c.text(114))),
      c_(c) {}

std::unique_ptr<Page> OptionsPage::build(PageContext& c) {
  std::unique_ptr<OptionsPage> page(new OptionsPage(c));
  OptionsPage* self = page.get();
  // Only the alerts, which the user sees on their own page. The engines' event
  // store has no page here and its item text would name the connection journal,
  // and modprocess.txt lies in whatever folder the process started in: a
  // question could name neither for what it would destroy.
  self->StoreList.setItems({c.text(3)});
  std::vector<std::string> codes(kLanguageListCodes.begin(), kLanguageListCodes.end());
  self->ComboBox3.setItems(std::move(codes));
  self->ComboBox3.onDrawItem = [self](int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas) {
    self->ComboBox3DrawItem(index, area, state, canvas);
  };
  self->BitBtn4.onClick = [self] { self->BitBtn4Click(); };
  self->BitBtn5.onClick = [self] { self->BitBtn5Click(); };
  std::vector<std::string> carried;
  for (int entry : kCarriedEntries) carried.push_back(c.text(entry));
  carried.push_back(c.text(56));
  self->CarryList.setItems(std::move(carried));
  self->CarryList.setItemIndex(static_cast<int>(kCarriedStores.size()));  // all of them, the usual move
  self->ExportButton.onClick = [self] { self->ExportClick(); };
  self->ImportButton.onClick = [self] { self->ImportClick(); };
  return page;
}

void OptionsPage::BitBtn4Click() {
  const std::string shown = StoreList.text();
  if (shown.empty()) return;
  if (c_.platform().dialogs.askYesNo(c_.text(23) + shown) != Answer::Yes) return;
  if (shown != c_.text(3)) return;
  // Alerts the monitor recorded while the question was open go too.
  Stores& stores = c_.stores();
  openStore(stores, StoreId::Alerts).emptyDataSet();
  stores.save(StoreId::Alerts);
}

void OptionsPage::BitBtn5Click() {
  const std::string shown = ComboBox3.text();
  if (!isLanguageCode(shown)) return;
  const std::string code = trimmed(shown);
  // The file is read before anything changes: one that is missing or short
  // leaves the stored choice, the table and the window as they were.
  const Lines lines = completeLanguageFile(c_.platform().files, c_.state().ProgramDirectory + *languageFileOf(code));
  storeLanguageChoice(c_.stores(), code);
  c_.window.languageCode = storedLanguageCode(c_.stores());
  c_.window.language.fill(lines, code);
  // The page shown keeps its captions; the next pages built take the new ones.
  c_.window.applyLanguage();
}

StoreTransfer OptionsPage::transfer() const {
  Platform& p = c_.platform();
  return StoreTransfer(p.files, p.clock, c_.stores(), c_.state(), c_.window.language,
                       CodePage(p.locale.formats().codePage));
}

void OptionsPage::tell(const TransferResult& result) {
  if (result.outcome == TransferResult::Outcome::Done)
    c_.platform().dialogs.inform(result.message);
  else
    c_.platform().dialogs.reportError(result.message);
}

namespace {

std::vector<FileType> transferTypes(const PageContext& c) {
  return {{c.text(115), "*.xml"}, {c.text(116), "*.csv"}};
}

}  // namespace

void OptionsPage::ExportClick() {
  const int chosen = CarryList.itemIndex();
  if (chosen < 0) return;
  const bool all = static_cast<std::size_t>(chosen) >= kCarriedStores.size();
  Platform& p = c_.platform();
  // All of them go to a folder of their own, named as the file would be.
  const std::string suggested =
      all ? "Tarnivoxguard2013 " + exportDay(p.clock.now())
          : exportFileName(kCarriedStores[static_cast<std::size_t>(chosen)], TransferForm::Xml);
  const std::optional<SaveChoice> target =
      p.dialogs.chooseFileToSave(withoutEllipsis(c_.text(113)), transferTypes(c_), suggested);
  if (!target) return;
  // The name's extension says the form; without one, the type chosen in the dialog.
  TransferForm form = target->type == 1 ? TransferForm::Csv : TransferForm::Xml;
  if (endsWith(target->path, ".csv")) form = TransferForm::Csv;
  if (endsWith(target->path, ".xml")) form = TransferForm::Xml;
  StoreTransfer carry = transfer();
  if (!all) {
    tell(carry.exportStore(kCarriedStores[static_cast<std::size_t>(chosen)], target->path, form));
    return;
  }
  std::string folder = target->path;
  if (endsWith(folder, ".csv") || endsWith(folder, ".xml")) folder.resize(folder.size() - 4);
  // The dialog asked about the name it showed, not about the files in the folder.
  std::string replaced;
  for (StoreId id : kCarriedStores) {
    const std::string file = folderWithBackslash(folder) + exportFileName(id, form);
    if (p.files.presence(file) != Presence::Absent) replaced += file + "\r\n";
  }
  if (!replaced.empty() && p.dialogs.askYesNo(replaced + c_.text(65)) != Answer::Yes) return;
  tell(carry.exportToFolder({kCarriedStores.begin(), kCarriedStores.end()}, folder, form));
}

void OptionsPage::ImportClick() {
  const int chosen = CarryList.itemIndex();
  if (chosen < 0) return;
  const bool all = static_cast<std::size_t>(chosen) >= kCarriedStores.size();
  const std::vector<std::string> files =
      c_.platform().dialogs.chooseFilesToOpen(withoutEllipsis(c_.text(114)), transferTypes(c_), all);
  if (files.empty()) return;
  std::optional<StoreId> expected;
  if (!all) expected = kCarriedStores[static_cast<std::size_t>(chosen)];
  tell(transfer().importFiles(files, expected));
}

void OptionsPage::ComboBox3DrawItem(int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas) {
  if (index < 0 || index >= ComboBox3.count()) return;
  drawLanguageRow(canvas, c_.window.flags, index, ComboBox3.items()[static_cast<std::size_t>(index)], area, state);
}

void drawLanguageRow(ui::Canvas& canvas, const ui::ImageList& flags, int index, const std::string& text,
                     const ui::Rect& area, ui::ItemState state) {
  canvas.fillRect(area, index % 2 == 1 ? ui::rgb(238, 243, 244) : ui::kWhite);
  canvas.textOut(area.left + 30, area.top + 2, text);
  if (state.selected) {
    canvas.fillRect(area, ui::rgb(197, 209, 248));
    canvas.font().color = ui::kBlue;
    canvas.font().bold = true;
    canvas.font().italic = true;
    canvas.textOut(area.left + 30, area.top + 2, text);
  }
  canvas.drawImage(flags, index, area.left + 4, area.top + (area.height - flags.height()) / 2);
}

}  // namespace tg

#include "pages/settings/ProtectionSwitches.h"

#include <stdexcept>

#include "pages/PageContext.h"
#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "stores/TextFile.h"

namespace tg {

namespace {

void saveOneLine(const PageContext& c, const std::string& fileName, const std::string& line) {
  const std::string path = c.state().ProgramDirectory + fileName;
  if (!writeLines(c.platform().files, path, {line})) throw std::runtime_error("cannot write " + path);
}

}  // namespace

void WriteConfiguration(const PageContext& c) {
  Platform& platform = c.platform();
  Stores& stores = c.stores();
  KillByName(platform.processes, engine::rtguard);
  struct StartAgain {
    const PageContext& c;
    ~StartAgain() { StartEngine(c.platform().shell, c.state().ProgramDirectory, engine::rtguard, "", "open"); }
  } startAgain{c};

  // Opening: a missing or unreadable file gives a fresh store (the unreadable
  // one kept aside); one held by another program cannot be opened.
  if (stores.openOrCreate(StoreId::Configuration) == Opened::Pending)
    throw StoreError(stores.pendingReason(StoreId::Configuration));
  RecordStore& table = stores.table(StoreId::Configuration);
  struct Close {
    RecordStore& table;
    ~Close() { table.close(); }
  } close{table};
  try {
    if (!table.active()) {
      stores.load(StoreId::Configuration);
      table.open();
    }
    table.emptyDataSet();
    table.append();
    for (std::size_t f = 1; f <= kConfigurationFieldCount; ++f)
      table.setField("Champ" + std::to_string(f), configurationSwitch(c.state(), f) ? "1" : "0");
    table.post();
    stores.save(StoreId::Configuration);
  } catch (const StoreError&) {
    c.window.notifyUser("erreur configuration checkb");
  }
}

ui::CheckBox& addConfigurationBox(const PageContext& c, ui::Container& parent, std::string name, ui::Rect bounds,
                                  int captionEntry, std::size_t field) {
  auto& box = parent.add<ui::CheckBox>(std::move(name), bounds, c.text(captionEntry));
  // Shown before the handler is attached: opening a page writes nothing.
  box.setChecked(configurationSwitch(c.state(), field));
  ui::CheckBox* self = &box;
  box.onClick = [c, self, field] {
    c.state().ConfigurationSwitches[field - 1] = self->checked();
    WriteConfiguration(c);
  };
  return box;
}

void radiobutton3Click(const PageContext& c) {
  saveOneLine(c, "mode.txt", "0");
  c.state().WatchMode = '0';
}

void radiobutton4Click(const PageContext& c) {
  saveOneLine(c, "mode.txt", "1");
  c.state().WatchMode = '1';
}

void CheckBox14Click(const PageContext& c, bool on) {
  c.state().CtrlplSwitch = on;
  saveOneLine(c, "ctrlpl.txt", on ? "1" : "0");
}

}  // namespace tg

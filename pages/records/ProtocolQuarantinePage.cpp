#include "pages/records/ProtocolQuarantinePage.h"

#include "pages/records/RecordEdits.h"

namespace tg {

ProtocolQuarantinePage::ProtocolQuarantinePage(PageContext& c, ui::TabControl& tabs)
    : TabControl1(tabs),
      TabSheet1(tabs.addSheet("TabSheet1", c.text(52))),
      CheckListBox1(TabSheet1.add<ui::CheckListBox>("CheckListBox1", ui::Rect{128, 40, 233, 169}, 2)),
      TabSheet2(tabs.addSheet("TabSheet2", c.text(5))),
      Edit1(TabSheet2.add<ui::Edit>("Edit1", ui::Rect{72, 32, 121, 21})),
      BitBtn21(TabSheet2.add<ui::Button>("BitBtn21", ui::Rect{104, 64, 75, 25}, ui::ButtonKind::OK, c.text(14))),
      ComboBox1(TabSheet2.add<ui::ComboBox>("ComboBox1", ui::Rect{72, 112, 145, 21}, ui::ComboBox::Style::DropDown)),
      BitBtn1(TabSheet2.add<ui::Button>("BitBtn1", ui::Rect{152, 152, 75, 25}, ui::ButtonKind::No, c.text(15))),
      BitBtn2(TabSheet2.add<ui::Button>("BitBtn2", ui::Rect{72, 152, 75, 25}, ui::ButtonKind::All, c.text(18))),
      c_(c) {}

std::unique_ptr<Page> ProtocolQuarantinePage::build(PageContext& c) {
  // The store is read before any control exists, so that a file that cannot
  // be read ends the build with nothing half made on the panel.
  {
    QuarantineClosed closed(c.stores());
    refillQuarantineNames(c.state(), readQuarantine(c.stores()));
  }
  auto& tabs = c.panel.add<ui::TabControl>("TabControl1", ui::Rect{16, 0, 585, 320});
  std::unique_ptr<ProtocolQuarantinePage> page(new ProtocolQuarantinePage(c, tabs));
  ProtocolQuarantinePage* self = page.get();

  // Unchecked at every build, whatever the switches hold until the next check.
  self->CheckListBox1.setItems({"FTP", "TELNET", "SMTP", "DNS", "HTTP", "HTTPS", "POP3"});  // switch order
  self->CheckListBox1.onClickCheck = [self] { self->CheckListBox1ClickCheck(); };
  // Enter reaches the add button and Escape the remove button while the
  // quarantine tab shows; on the protocol tab both are hidden and take neither.
  self->BitBtn21.setDefault(true);
  self->BitBtn1.setCancel(true);
  self->BitBtn21.onClick = [self] { self->BitBtn21Click(); };
  self->BitBtn1.onClick = [self] { self->BitBtn1Click(); };
  self->BitBtn2.onClick = [self] { self->BitBtn2Click(); };
  self->ComboBox1.setItems(c.state().QuarantineNames);
  // Ctrl+C on the names: the tab's caption as the header, then every name.
  self->ComboBox1.onCopy = [self] {
    std::string text = self->TabSheet2.caption() + "\r\n";
    for (const std::string& name : self->ComboBox1.items()) text += name + "\r\n";
    self->c_.platform().clipboard.setText(text);
  };
  tabs.setActiveIndex(1);
  return page;
}

void ProtocolQuarantinePage::CheckListBox1ClickCheck() {
  for (std::size_t i = 0; i < kProtocolCount; ++i)
    c_.state().ProtocolSwitches[i] = CheckListBox1.checked(static_cast<int>(i));
}

// Each edit refills QuarantineNames from the store it saved, so that the
// monitor's next reading already ends a name just added and spares one just
// removed.

void ProtocolQuarantinePage::BitBtn21Click() {
  // Stored as typed: neither trimmed nor compared with the stored names.
  const std::string name = Edit1.text();
  if (name.empty()) return;
  Stores& stores = c_.stores();
  {
    QuarantineClosed closed(stores);
    RecordStore& quarantine = readQuarantine(stores);
    quarantine.append();
    quarantine.setField("Champ1", name);
    quarantine.post();
    stores.save(StoreId::Quarantine);
    refillQuarantineNames(c_.state(), quarantine);
  }
  ComboBox1.addItem(name);
  Edit1.setText({});
}

void ProtocolQuarantinePage::BitBtn1Click() {
  // Every record of exactly that name goes, an empty text taking the empty ones.
  const std::string name = ComboBox1.text();
  Stores& stores = c_.stores();
  QuarantineClosed closed(stores);
  RecordStore& quarantine = readQuarantine(stores);
  quarantine.deleteWhere([&](const PackedRow& row) { return valueOf(row, 0) == name; });
  ComboBox1.clear();
  ComboBox1.setItems(quarantineNamesOf(quarantine));
  stores.save(StoreId::Quarantine);
  refillQuarantineNames(c_.state(), quarantine);
}

void ProtocolQuarantinePage::BitBtn2Click() {
  Stores& stores = c_.stores();
  {
    QuarantineClosed closed(stores);
    RecordStore& quarantine = readQuarantine(stores);
    quarantine.emptyDataSet();
    stores.save(StoreId::Quarantine);
    refillQuarantineNames(c_.state(), quarantine);
  }
  ComboBox1.clear();
}

}  // namespace tg

#include "app/MainWindow.h"

#include <algorithm>

#include "app/NavigationList.h"
#include "app/Product.h"
#include "app/ProductImages.h"
#include "app/WindowLayout.h"
#include "engines/EngineTable.h"
#include "engines/ProcessUtilities.h"
#include "pages/Pages.h"
#include "watchers/NewDriveScan.h"

namespace tg {

MainWindow::MainWindow(Platform& p, ui::Desktop& d, std::string programDirectory, std::string version)
    : platform(p),
      desktop(d),
      centre(p, programDirectory,
             [this](const std::string& message) { NotifyUser(platform.shell, centre.state.ProgramDirectory, message); }),
      ImageList1(navigationImages()),
      ImageList2(languageFlags()),
      ImageList3(internetGlyphs()),
      // The client area that the controls' bounds imply; with the classic frame
      // the window measures 802 x 500.
      form("TForm2", {117, 35, 786, 462}, ""),
      Shape1(form.add<ui::Shape>("Shape1", ui::Rect{0, 0, 785, 49}, ui::kAqua)),
      ListBox1(form.add<ui::ListBox>("ListBox1", kNavigationListBounds, ui::ListBox::Drawing::OwnerVariable)),
      Bevel2(form.add<ui::Bevel>("Bevel2", ui::Rect{328, 144, 193, 177})),
      TrackBar1(form.add<ui::TrackBar>("TrackBar1", ui::Rect{408, 144, 45, 150}, 1, 3, true)),
      Label10(form.add<ui::Label>("Label10", ui::Rect{464, 152, 0, 0})),
      Label11(form.add<ui::Label>("Label11", ui::Rect{464, 208, 0, 0})),
      Label12(form.add<ui::Label>("Label12", ui::Rect{464, 272, 0, 0})),
      BitBtn15(form.add<ui::Button>("BitBtn15", ui::Rect{408, 104, 75, 25})),
      Shape2(form.add<ui::Shape>("Shape2", ui::Rect{8, 424, 777, 17}, ui::kSystemColor)),
      StatusBar1(form.add<ui::StatusBar>("StatusBar1", ui::Rect{0, 443, 786, 19})),
      FileListBox5(form.add<ui::FileListBox>("FileListBox5", ui::Rect{520, 64, 145, 97}, p.files)),
      PagePanel(form.add<ui::Panel>("PagePanel", kPagePanelBounds)),
      Timer1(p.timers, 1500),
      ShellChangeNotifier1(p.watchers, p.files, p.timers, "C:\\"),
      surveillance(p, centre.state, centre.languageTable, FileListBox5, ShellChangeNotifier1),
      monitor(p, centre.state, centre.stores, centre.languageTable,
              MonitorWindow{[this](const std::string& text) { StatusBar1.setSimpleText(text); },
                            [this] {
                              if (enableScanStartButton) enableScanStartButton();
                            }}),
      pageWindow{p,
                 centre.stores,
                 centre.state,
                 centre.languageTable,
                 centre.LanguageCode,
                 ImageList2,
                 surveillance,
                 monitor.latestReading(),
                 enableScanStartButton,
                 [this] { applyLanguage(); },
                 centre.notifyUser,
                 [this](int entry, const std::string& text) { openFound(entry, text); }},
      pages(*this, pageWindow),
      aboutBoxes(d, p.timers, std::move(version)) {
  ListBox1.setItemHeight(kNavigationRowHeight);
  ListBox1.setShowHint(true);
  // Moving through the list must not run every item passed over: the quit
  // question, an about box.
  ListBox1.setKeysOnlyMove(true);
  ListBox1.onDrawItem = [this](int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas) {
    ListBox1DrawItem(index, area, state, canvas);
  };
  ListBox1.onClick = [this] { pages.ListBox1Click(); };
  TrackBar1.onChange = [this] { centre.state.ReactionLevel = TrackBar1.position(); };
  BitBtn15.setCancel(true);
  BitBtn15.setShowHint(true);
  BitBtn15.setHint("Internet");
  BitBtn15.setGlyph(ImageList3.at(0));
  BitBtn15.onClick = [this] { BitBtn15Click(); };
  Shape2.setPen(ui::kGrey);
  FileListBox5.setVisible(false);
  PagePanel.setVisible(false);
  form.onClose = [this] { FormClose(); };
  form.onQueryEndSession = [this] { WMQueryEndSession(); };
  form.onEndSession = [this](bool ending) { WMEndSession(ending); };
  form.onDeviceChange = [this](const ui::DeviceChange& change) {
    offerNewDriveScan(platform, centre.languageTable, centre.state.ProgramDirectory, change);
  };
  form.onPrivateMessage = [this](unsigned message, std::uintptr_t first) { WMRegistryChange(message, first); };
  Timer1.onTimer = [this] { monitor.Timer1Timer(); };
  ShellChangeNotifier1.onChange = [this] { surveillance.ShellChangeNotifier1Change(); };
  for (PageRegistration& page : pageBuilders()) pages.registerPage(page.entry, std::move(page.build));
  desktop.attach(form);
}

MainWindow::~MainWindow() {
  if (openFoundTimer_) platform.timers.stop(openFoundTimer_);
  FormDestroy();
  desktop.detach(form);
}

void MainWindow::FormCreate() {
  ControlCentre& c = centre;
  // 1. Start values; the page panel exists with the window.
  c.setStartValues();
  // 2. spam.txt.
  c.readSpamList();
  // 3. The monitor's journal starts empty (the monitor keeps it).
  // 4. The day stamp, the surveillance mode and the watched folder.
  c.readWatchFiles();
  if (c.state.WatchedRoot != ShellChangeNotifier1.root()) ShellChangeNotifier1.setRoot(c.state.WatchedRoot);
  // 5. Engines left from an earlier run.
  StopEngines(platform.processes, kStartUpLeftovers);
  // 6. The home page.
  c.setHomeValues();
  TrackBar1.setPosition(2);
  pages.TearDownPages();
  showHomeControls();
  // 7. The record stores.
  c.openStores();
  // 8. The real-time engine, whatever the switches say.
  StartEngine(platform.shell, c.state.ProgramDirectory, engine::rtguard, "", "open", false);
  // 9. The blocked sites.
  c.readBlockedSites();
  // 10. The language table.
  c.loadLanguage();
  // 11. The navigation list and the window's own texts.
  applyLanguage();
  // 12. The quarantined names.
  c.readQuarantineNames();
  // 13. ctrlpl.txt.
  c.readCtrlplSwitch();
  Timer1.setEnabled(true);
  // The watched folder's comings and goings are logged in the language now
  // loaded; one that could not be watched from the start is logged at once.
  ShellChangeNotifier1.onLost = [this] { surveillance.folderLost(); };
  ShellChangeNotifier1.onFound = [this] { surveillance.folderFound(); };
  if (!ShellChangeNotifier1.watching()) surveillance.folderLost();
  // A store whose file was held or refused is read as soon as it can be.
  c.watchPendingStores([this] { applyLanguage(); });
}

void MainWindow::openFound(int entry, const std::string& text) {
  if (openFoundTimer_) platform.timers.stop(openFoundTimer_);
  openFoundTimer_ = platform.timers.startOnce(0, [this, entry, text] {
    openFoundTimer_ = 0;
    const auto item = std::find(kNavigationEntries.begin(), kNavigationEntries.end(), entry);
    if (item == kNavigationEntries.end()) return;
    ListBox1.clickItem(static_cast<int>(item - kNavigationEntries.begin()));
    if (Page* page = pages.page(entry)) page->find(text);
  });
}

void MainWindow::applyLanguage() {
  const LanguageTable& t = centre.languageTable;
  fillNavigationList(ListBox1, t);
  Label10.setCaption(t.text(49));
  Label11.setCaption(t.text(50));
  Label12.setCaption(t.text(51));
  form.setCaption(t.text(24));
  showInternetState();
}

void MainWindow::ListBox1DrawItem(int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas) {
  if (index < 0 || index >= ListBox1.count()) return;
  drawNavigationRow(canvas, ImageList1, index, ListBox1.items()[static_cast<std::size_t>(index)], area, state);
}

void MainWindow::FormClose() {
  pages.TearDownPages();
  form.setVisible(false);
}

void MainWindow::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Timer1.setEnabled(false);
  StopEngines(platform.processes, kShutdownStopList);
  pages.TearDownPages();
}

void MainWindow::WMQueryEndSession() { StopEngines(platform.processes, kShutdownStopList); }

void MainWindow::WMRegistryChange(unsigned message, std::uintptr_t first) {
  if (message != kRegistryChangeMessage || first != kRegistryChangeMessage) return;
  NotifyUser(platform.shell, centre.state.ProgramDirectory, "change registre");
}

void MainWindow::showFromTray() {
  form.setVisible(true);
  desktop.bringToFront(form);
}

void MainWindow::BitBtn15Click() {
  centre.state.InternetAllowed = !centre.state.InternetAllowed;
  BitBtn15.setGlyph(ImageList3.at(centre.state.InternetAllowed ? 0 : 1));
  showInternetState();
}

void MainWindow::showInternetState() {
  // The glyph alone does not say which state it shows: the tip names the
  // state and what a click does.
  const std::string& text = centre.languageTable.text(centre.state.InternetAllowed ? 7 : 8);
  BitBtn15.setHint(text.empty() ? "Internet" : text);
}

void MainWindow::openWebSite() {
  ShellRequest request;
  request.file = product::kWebSite;
  request.show = kShowHidden;
  platform.shell.execute(request);
}

void MainWindow::showHomeControls() {
  for (ui::Control* home : std::initializer_list<ui::Control*>{&Bevel2, &TrackBar1, &BitBtn15, &Label10, &Label11, &Label12})
    home->setVisible(true);
}

void MainWindow::showHomePage() {
  pages.TearDownPages();
  showHomeControls();
  openWebSite();
}

void MainWindow::openAboutBox() {
  aboutBoxes.open();
  openWebSite();
}

void MainWindow::quitItem() {
  if (platform.dialogs.askYesNo(centre.languageTable.text(65)) != Answer::Yes) return;
  endApplication(kQuitStopList);
}

void MainWindow::WMEndSession(bool ending) {
  if (ending) endApplication(kShutdownStopList);
}

void MainWindow::endApplication(std::span<const std::string_view> stopList) {
  // Nothing of the program stays on the screen while the engines are stopped.
  form.setVisible(false);
  aboutBoxes.hideAll();
  if (onQuitting) onQuitting();
  StopEngines(platform.processes, stopList);
  desktop.endApplication();
}

}  // namespace tg

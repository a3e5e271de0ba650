#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/AboutBox.h"
#include "app/ControlCentre.h"
#include "app/PageHost.h"
#include "watchers/Monitor.h"
#include "watchers/FolderSurveillance.h"
#include "ui/Button.h"
#include "ui/Containers.h"
#include "ui/Desktop.h"
#include "ui/FileControls.h"
#include "ui/Form.h"
#include "ui/Indicators.h"
#include "ui/Lists.h"
#include "ui/ShellChangeNotifier.h"
#include "ui/Static.h"
#include "ui/Timer.h"

namespace tg {

// TForm2, the main window. Its creation is the control centre's start-up; it
// is shown and hidden from the tray, and its destruction stops the engines.
class MainWindow {
 public:
  // The version is the program's own, shown in the about box.
  MainWindow(Platform& platform, ui::Desktop& desktop, std::string programDirectory, std::string version);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The start-up, in its order (the window stays hidden).
  void FormCreate();
  // The close box: the page area is torn down and the window hidden; the
  // process, the tray icon, the timer and the engines go on.
  void FormClose();
  // When the application ends: the engines are stopped and the pages destroyed.
  void FormDestroy();
  // Windows ends the log-on: the engines are stopped.
  void WMQueryEndSession();
  // The log-on ends after all (or an installer closes the program the way
  // Windows does): the program ends as after the quit item, without its question.
  void WMEndSession(bool ending);
  // Another program of the suite tells that the registry changed: message
  // 2997 with 2997 as its first parameter; any other parameter is ignored.
  void WMRegistryChange(unsigned message, std::uintptr_t first);
  static constexpr unsigned kRegistryChangeMessage = 2997;
  // The tray menu's item: shows the window and brings it up.
  void showFromTray();

  // The home page's Internet button; its tip names the current state.
  void BitBtn15Click();
  void showInternetState();
  // What the page host does for the items that build no page.
  void showHomePage();
  void showHomeControls();
  void openWebSite();
  void openAboutBox();
  void quitItem();
  // The language of the window's own texts: navigation items, level labels, caption.
  void applyLanguage();
  // Opens the page of a navigation entry as its item does, showing only what
  // holds the text. Later, from a timer: the page that asks is torn down by it.
  void openFound(int entry, const std::string& text);

  Platform& platform;
  ui::Desktop& desktop;
  ControlCentre centre;

  ui::ImageList ImageList1;  // navigation pictures
  ui::ImageList ImageList2;  // flags, used by pages
  ui::ImageList ImageList3;  // the Internet button's glyphs

  ui::Form form;
  ui::Shape& Shape1;
  ui::ListBox& ListBox1;
  ui::Bevel& Bevel2;
  ui::TrackBar& TrackBar1;
  ui::Label& Label10;
  ui::Label& Label11;
  ui::Label& Label12;
  ui::Button& BitBtn15;
  ui::Shape& Shape2;
  ui::StatusBar& StatusBar1;
  ui::FileListBox& FileListBox5;
  ui::Panel& PagePanel;
  ui::Timer Timer1;
  ui::ShellChangeNotifier ShellChangeNotifier1;
  FolderSurveillance surveillance;
  Monitor monitor;
  // What goes from the screen with the main window when the user quits: the tray icon.
  std::function<void()> onQuitting;
  // While the scan page is built, the monitor enables its start button through this.
  std::function<void()> enableScanStartButton;

  // What the pages reach of the window.
  PageWindow pageWindow;
  PageHost pages;
  AboutBoxes aboutBoxes;

 private:
  void ListBox1DrawItem(int index, const ui::Rect& area, ui::ItemState state, ui::Canvas& canvas);
  // Hides everything, stops the engines of the list and ends the message loop.
  void endApplication(std::span<const std::string_view> stopList);
  bool destroyed_ = false;
  TimerId openFoundTimer_ = 0;
};

}  // namespace tg

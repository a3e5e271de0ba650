#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "stores/LanguageTable.h"
#include "stores/SharedState.h"
#include "stores/Stores.h"
#include "ui/Containers.h"
#include "ui/ImageList.h"
#include "watchers/FolderSurveillance.h"
#include "watchers/SeenReading.h"

namespace tg {

// What a built page keeps beside its controls (its handlers' state); it goes
// when the page is torn down, after the controls.
class Page {
 public:
  virtual ~Page() = default;
  // Shows only what holds the text, on a page that can (its filter box); false on one that cannot.
  virtual bool find(const std::string& /*text*/) { return false; }
};

// What the pages reach of the main window, lent by it for as long as it
// lives: the pages never see the window itself.
struct PageWindow {
  Platform& platform;
  Stores& stores;
  SharedState& state;
  LanguageTable& language;
  std::string& languageCode;           // the stored language choice, as loaded
  const ui::ImageList& flags;          // the languages' flags
  FolderSurveillance& surveillance;
  const SeenReading& latestReading;  // the monitor's, with its decisions, replaced at every reading
  // Set by the scan page while it is built: the monitor enables its start button through it.
  std::function<void()>& enableScanStartButton;
  std::function<void()> applyLanguage;  // the window's own texts in the language now loaded
  NotifyUserHook notifyUser;            // a message through the notify engine
  // Opens the page of a navigation entry, as its item does, showing only what
  // holds the text; once the handler that asks has returned.
  std::function<void(int entry, const std::string& text)> openFound;
};

struct PageContext {
  PageWindow& window;
  ui::Panel& panel;  // PagePanel: every control of the page goes on it

  // What pages reach most: language entry N, the platform, the stores and the
  // shared switches and lists.
  const std::string& text(int entry) const { return window.language.text(entry); }
  Platform& platform() const { return window.platform; }
  Stores& stores() const { return window.stores; }
  SharedState& state() const { return window.state; }
};

// A page's builder creates its controls on the panel, fills them and wires
// their handlers; it may return the page's own state.
using PageBuilder = std::function<std::unique_ptr<Page>(PageContext&)>;

}  // namespace tg

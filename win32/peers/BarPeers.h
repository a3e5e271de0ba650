#pragma once

#include "ui/Containers.h"
#include "ui/Indicators.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

class TrackBarPeer : public WindowPeer {
 public:
  TrackBarPeer(ui::TrackBar& bar, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  void scroll(WORD code) override;

 private:
  ui::TrackBar& bar_;
};

// The simple-text status bar.
class StatusBarPeer : public WindowPeer {
 public:
  StatusBarPeer(ui::StatusBar& bar, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;

 private:
  ui::StatusBar& bar_;
};

// The tabs; each sheet is a container window over the tab control's display area.
class TabControlPeer : public WindowPeer {
 public:
  TabControlPeer(ui::TabControl& tabs, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  LRESULT notify(NMHDR& header) override;
  // Where a sheet lies, in model pixels relative to the tab control.
  ui::Rect sheetArea() const;

 private:
  void fill();
  ui::TabControl& tabs_;
};

}  // namespace tg::win32

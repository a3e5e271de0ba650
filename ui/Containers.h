#pragma once

#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/Event.h"

namespace tg::ui {

enum class BevelStyle { None, Raised, Lowered };

// A plain area holding controls (the page area, the about box's frame).
class Panel : public Container {
 public:
  Panel(std::string name, Rect bounds) : Container(ControlKind::Panel, std::move(name), bounds) {}
  BevelStyle outerBevel() const { return outer_; }
  BevelStyle innerBevel() const { return inner_; }
  void setBevels(BevelStyle outer, BevelStyle inner) {
    outer_ = outer;
    inner_ = inner;
    changed(Change::Style);
  }

 private:
  BevelStyle outer_ = BevelStyle::None;
  BevelStyle inner_ = BevelStyle::None;
};

// A framed group with a caption; its radio buttons form one exclusive group.
class GroupBox : public Container {
 public:
  GroupBox(std::string name, Rect bounds, std::string caption = {})
      : Container(ControlKind::GroupBox, std::move(name), bounds) {
    setCaption(std::move(caption));
  }
};

// One page of a tab control.
class TabSheet : public Container {
 public:
  TabSheet(std::string name, std::string caption) : Container(ControlKind::TabSheet, std::move(name), {}) {
    setCaption(std::move(caption));
  }
};

// Tabs over sheets; only the active sheet is shown.
class TabControl : public Container {
 public:
  TabControl(std::string name, Rect bounds) : Container(ControlKind::TabControl, std::move(name), bounds) {}

  TabSheet& addSheet(std::string name, std::string caption);
  std::vector<TabSheet*> sheets() const;
  int activeIndex() const { return active_; }
  TabSheet* activeSheet() const;
  // Code: shows a sheet, fires nothing.
  void setActiveIndex(int index);
  // The user: picks a tab, then onChange.
  void selectTab(int index);
  std::function<void()> onChange;

 private:
  int active_ = -1;
};

}  // namespace tg::ui

#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Canvas.h"
#include "ui/Geometry.h"
#include "ui/Keys.h"
#include "ui/Peer.h"

namespace tg::ui {

enum class ControlKind {
  Form,
  Panel,
  GroupBox,
  TabControl,
  TabSheet,
  Label,
  Shape,
  Bevel,
  Picture,
  Button,
  CheckBox,
  RadioButton,
  Edit,
  Memo,
  ComboBox,
  ListBox,
  CheckListBox,
  ListView,
  FileListBox,
  DirectoryListBox,
  ShellTreeView,
  TrackBar,
  StatusBar,
};

class Container;

// A control as plain state plus events. Setting state in code fires no event;
// the user's actions (click(), select(), ...) change the state and then fire
// the control's event. A peer, when there is one, mirrors every change.
class Control {
 public:
  Control(ControlKind kind, std::string name, Rect bounds);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Container* parent() const { return parent_; }

  const Rect& bounds() const { return bounds_; }
  void setBounds(const Rect& r);
  bool visible() const { return visible_; }
  void setVisible(bool on);
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);
  const std::string& caption() const { return caption_; }
  void setCaption(std::string text);
  const std::string& hint() const { return hint_; }
  void setHint(std::string text);
  bool showHint() const { return showHint_; }
  void setShowHint(bool on);
  const Font& font() const { return font_; }
  const Color& color() const { return color_; }
  void setColor(const Color& c);

  // Shown: visible with every container above it. Usable: shown and enabled
  // with every container above it.
  bool showing() const;
  bool usable() const;

  // While suspended the native window does not redraw; resuming redraws it
  // whole, with its frame and children.
  void suspendRedraw(bool suspend);
  bool redrawSuspended() const { return redrawSuspended_; }
  int redrawResumes() const { return redrawResumes_; }

  // Whether the control, when it has the focus, uses Enter or Escape itself
  // (a memo uses Enter, for one), so that the window's buttons do not get it.
  virtual bool usesKey(DialogKey) const { return false; }

  ControlPeer* peer() const { return peer_.get(); }
  void setPeer(std::unique_ptr<ControlPeer> peer);

 protected:
  void changed(Change change, std::size_t index = 0);

 private:
  friend class Container;
  ControlKind kind_;
  std::string name_;
  Container* parent_ = nullptr;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string hint_;
  bool showHint_ = false;
  Font font_;
  Color color_ = kSystemColor;
  bool redrawSuspended_ = false;
  int redrawResumes_ = 0;
  std::unique_ptr<ControlPeer> peer_;
};

// A control that holds others: its children live and die with it.
class Container : public Control {
 public:
  using Control::Control;
  ~Container() override;

  // Creates a child; it gets its peer at once when this container has one.
  template <typename T, typename... Args>
  T& add(Args&&... args) {
    auto child = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *child;
    adopt(std::move(child));
    return ref;
  }
  // Destroys one child (with its own children and peers).
  void destroy(Control& child);
  void destroyChildren();
  const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

  // The factory of native peers, held by the root; null when headless.
  virtual PeerFactory* peerFactory() const;

  // Gives peers to every child that lacks one, once this container has its own.
  void attachChildPeers();
  // Lets go of every native peer of this subtree, children first, this one last.
  void releasePeers();

  // A control of this subtree is going away: whatever holds on to it lets go.
  virtual void forgetControl(Control& control) {
    if (parent()) parent()->forgetControl(control);
  }

 private:
  void adopt(std::unique_ptr<Control> child);
  std::vector<std::unique_ptr<Control>> children_;
};

// Every control of a subtree, depth first in creation order.
void forEachControl(const Container& root, const std::function<void(Control&)>& visit);

}  // namespace tg::ui

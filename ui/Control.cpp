#include "ui/Control.h"

#include <algorithm>

namespace tg::ui {

Control::Control(ControlKind kind, std::string name, Rect bounds)
    : kind_(kind), name_(std::move(name)), bounds_(bounds) {}

Control::~Control() {
  if (parent_) parent_->forgetControl(*this);
}

void Control::changed(Change change, std::size_t index) {
  if (peer_) peer_->update(change, index);
}

void Control::setBounds(const Rect& r) {
  if (r == bounds_) return;
  bounds_ = r;
  changed(Change::Bounds);
}

void Control::setVisible(bool on) {
  if (on == visible_) return;
  visible_ = on;
  changed(Change::Visible);
}

void Control::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  changed(Change::Enabled);
}

void Control::setCaption(std::string text) {
  if (text == caption_) return;
  caption_ = std::move(text);
  changed(Change::Caption);
}

void Control::setHint(std::string text) {
  if (text == hint_) return;
  hint_ = std::move(text);
  changed(Change::Hint);
}

void Control::setShowHint(bool on) {
  if (on == showHint_) return;
  showHint_ = on;
  changed(Change::Hint);
}

void Control::setColor(const Color& c) {
  if (c == color_) return;
  color_ = c;
  changed(Change::Color);
}

bool Control::showing() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

bool Control::usable() const {
  for (const Control* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void Control::suspendRedraw(bool suspend) {
  redrawSuspended_ = suspend;
  if (!suspend) ++redrawResumes_;
  changed(Change::Redraw);
}

void Control::setPeer(std::unique_ptr<ControlPeer> peer) { peer_ = std::move(peer); }

Container::~Container() {
  // Children go first, the last created first, so that no peer outlives the
  // native window it lives in.
  destroyChildren();
}

void Container::adopt(std::unique_ptr<Control> child) {
  child->parent_ = this;
  Control& ref = *child;
  children_.push_back(std::move(child));
  if (!peer()) return;
  if (PeerFactory* factory = peerFactory()) {
    ref.setPeer(factory->createPeer(ref));
    if (auto* container = dynamic_cast<Container*>(&ref)) container->attachChildPeers();
  }
}

void Container::attachChildPeers() {
  PeerFactory* factory = peerFactory();
  if (!factory || !peer()) return;
  for (const auto& child : children_) {
    if (!child->peer()) child->setPeer(factory->createPeer(*child));
    if (auto* container = dynamic_cast<Container*>(child.get())) container->attachChildPeers();
  }
}

void Container::releasePeers() {
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    if (auto* container = dynamic_cast<Container*>(it->get())) container->releasePeers();
    (*it)->setPeer(nullptr);
  }
  setPeer(nullptr);
}

void Container::destroy(Control& child) {
  const auto it = std::find_if(children_.begin(), children_.end(),
                               [&](const std::unique_ptr<Control>& c) { return c.get() == &child; });
  if (it == children_.end()) return;
  std::unique_ptr<Control> doomed = std::move(*it);
  children_.erase(it);
  doomed.reset();
}

void Container::destroyChildren() {
  while (!children_.empty()) {
    std::unique_ptr<Control> doomed = std::move(children_.back());
    children_.pop_back();
    doomed.reset();
  }
}

PeerFactory* Container::peerFactory() const { return parent() ? parent()->peerFactory() : nullptr; }

void forEachControl(const Container& root, const std::function<void(Control&)>& visit) {
  for (const auto& child : root.children()) {
    visit(*child);
    if (const auto* container = dynamic_cast<const Container*>(child.get())) forEachControl(*container, visit);
  }
}

}  // namespace tg::ui

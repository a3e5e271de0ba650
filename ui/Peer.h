#pragma once

#include <cstddef>
#include <memory>

namespace tg::ui {

class Control;

// What changed in a control's state, for its native peer to mirror.
enum class Change {
  Bounds,
  Visible,
  Enabled,
  Caption,
  Hint,
  Color,
  Redraw,     // redrawing suspended or resumed
  Text,       // an edit's or a combo box's text, a memo's lines
  Items,      // the whole item list
  ItemAdded,  // one item appended, at the index given
  Selection,
  Check,      // a check state, of the whole control or of the item at the index given
  Position,   // a track bar's position, a tab control's sheet
  Range,
  Columns,
  Image,
  Style,      // read-only, kinds, roles and other fixed looks
};

// The native side of a control. It shows the model's state and turns the
// user's actions into model actions; a model without a peer is headless.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void update(Change change, std::size_t index) = 0;
};

// Makes the peers of controls added under a root that has one.
class PeerFactory {
 public:
  virtual ~PeerFactory() = default;
  // A peer for a control whose parent already has its peer; null when the kind
  // needs none.
  virtual std::unique_ptr<ControlPeer> createPeer(Control& control) = 0;
};

}  // namespace tg::ui

#pragma once

#include <map>

#include "ui/FileControls.h"
#include "win32/peers/WindowPeer.h"

namespace tg::win32 {

// The shell folder tree: nodes are loaded from the model as they are opened.
class ShellTreePeer : public WindowPeer {
 public:
  ShellTreePeer(ui::ShellTreeView& tree, PeerContext& context);
  void update(ui::Change change, std::size_t index) override;
  LRESULT notify(NMHDR& header) override;

 private:
  void rebuild();
  HTREEITEM insert(ui::ShellTreeView::Node& node, HTREEITEM parent);
  void insertChildren(ui::ShellTreeView::Node& node, HTREEITEM item);
  ui::ShellTreeView& tree_;
  std::map<const ui::ShellTreeView::Node*, HTREEITEM> items_;
};

}  // namespace tg::win32

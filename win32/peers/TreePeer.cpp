#include "win32/peers/TreePeer.h"

namespace tg::win32 {

ShellTreePeer::ShellTreePeer(ui::ShellTreeView& tree, PeerContext& context) : WindowPeer(tree, context), tree_(tree) {
  create(WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP,
         WS_EX_CLIENTEDGE);
  rebuild();
}

HTREEITEM ShellTreePeer::insert(ui::ShellTreeView::Node& node, HTREEITEM parent) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  std::string caption = node.caption;
  insert.item.pszText = caption.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(&node);
  insert.item.cChildren = node.loaded ? (node.children.empty() ? 0 : 1) : 1;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  items_[&node] = item;
  return item;
}

void ShellTreePeer::insertChildren(ui::ShellTreeView::Node& node, HTREEITEM item) {
  for (auto& child : node.children) {
    HTREEITEM childItem = insert(*child, item);
    if (child->loaded) insertChildren(*child, childItem);
  }
}

void ShellTreePeer::rebuild() {
  if (!hwnd_) return;
  Updating guard(*this);
  SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  items_.clear();
  HTREEITEM root = insert(tree_.root(), TVI_ROOT);
  insertChildren(tree_.root(), root);
  SendMessageA(hwnd_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  if (const auto it = items_.find(tree_.selected()); it != items_.end())
    SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it->second));
}

void ShellTreePeer::update(ui::Change change, std::size_t index) {
  if (change == ui::Change::Items) {
    if (!updating()) rebuild();  // while a node opens, its children are inserted by notify()
    return;
  }
  if (change == ui::Change::Selection) {
    Updating guard(*this);
    const auto it = items_.find(tree_.selected());
    SendMessageA(hwnd_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(it == items_.end() ? nullptr : it->second));
    return;
  }
  WindowPeer::update(change, index);
}

LRESULT ShellTreePeer::notify(NMHDR& header) {
  if (updating()) return 0;
  switch (header.code) {
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
      auto& view = reinterpret_cast<NMTREEVIEWA&>(header);
      auto* node = reinterpret_cast<ui::ShellTreeView::Node*>(view.itemNew.lParam);
      if (node && !node->loaded && (view.action & TVE_EXPAND)) {
        {
          Updating guard(*this);  // the model's change is shown here, item by item
          tree_.expand(*node);
        }
        Updating guard(*this);
        insertChildren(*node, view.itemNew.hItem);
        if (node->children.empty()) {
          TVITEMA item{};
          item.mask = TVIF_CHILDREN;
          item.hItem = view.itemNew.hItem;
          SendMessageA(hwnd_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
      }
      return 0;
    }
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      auto& view = reinterpret_cast<NMTREEVIEWA&>(header);
      tree_.userSelect(reinterpret_cast<ui::ShellTreeView::Node*>(view.itemNew.lParam));
      return 0;
    }
    case NM_DBLCLK: tree_.dblClick(); return 0;
    default: return 0;
  }
}

}  // namespace tg::win32

#include "ui/FileControls.h"

#include "stores/PlainFiles.h"
#include "base/Text.h"

namespace tg::ui {

bool FileListBox::setDirectory(std::string folder) {
  if (folder.empty()) {
    directory_.clear();
    setItems({});
    return true;
  }
  auto names = plainFileNames(files_, folder, mask_);
  if (!names) return false;
  directory_ = std::move(folder);
  setItems(std::move(*names));
  return true;
}

void FileListBox::setMask(std::string mask) {
  mask_ = std::move(mask);
  refresh();
}

bool FileListBox::refresh() { return setDirectory(directory_); }

namespace {

// "C:\a\b\" -> "C:\a\b"; a drive root keeps its backslash.
std::string normalFolder(std::string folder) {
  while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

}  // namespace

DirectoryListBox::DirectoryListBox(std::string name, Rect bounds, FileSystem& files, std::string directory)
    : Control(ControlKind::DirectoryListBox, std::move(name), bounds), files_(files) {
  setDirectory(std::move(directory));
}

void DirectoryListBox::setDirectory(std::string folder) {
  directory_ = normalFolder(std::move(folder));
  rebuild();
}

void DirectoryListBox::rebuild() {
  entries_.clear();
  // The path from the drive root down to the current folder.
  std::string at;
  int level = 0;
  std::size_t start = 0;
  while (start < directory_.size()) {
    std::size_t slash = directory_.find('\\', start);
    if (slash == std::string::npos) slash = directory_.size();
    const std::string part = directory_.substr(start, slash - start);
    if (!part.empty()) {
      at = level == 0 ? part + "\\" : (level == 1 ? at + part : at + "\\" + part);
      entries_.push_back({level == 0 ? part + "\\" : part, at, level});
      ++level;
    }
    start = slash + 1;
  }
  current_ = static_cast<int>(entries_.size()) - 1;
  for (const std::string& sub : subfolderNames(files_, directory_))
    entries_.push_back({sub, folderWithBackslash(directory_) + sub, level});
  changed(Change::Items);
}

void DirectoryListBox::openEntry(int index) {
  if (!usable() || index < 0 || index >= static_cast<int>(entries_.size())) return;
  const std::string target = entries_[static_cast<std::size_t>(index)].path;
  if (target == directory_) return;
  setDirectory(target);
  fire(onChange);
}

ShellTreeView::ShellTreeView(std::string name, Rect bounds, FileSystem& files, Shell& shell)
    : Control(ControlKind::ShellTreeView, std::move(name), bounds), files_(files) {
  root_.caption = "Desktop";
  root_.loaded = true;
  for (const ShellFolder& folder : shell.desktopFolders()) {
    auto node = std::make_unique<Node>();
    node->caption = folder.caption;
    node->path = folder.path;
    node->parent = &root_;
    node->loaded = folder.path.empty();
    root_.children.push_back(std::move(node));
  }
}

void ShellTreeView::expand(Node& node) {
  if (node.loaded) return;
  node.loaded = true;
  for (const std::string& sub : subfolderNames(files_, node.path)) {
    auto child = std::make_unique<Node>();
    child->caption = sub;
    child->path = folderWithBackslash(node.path) + sub;
    child->parent = &node;
    node.children.push_back(std::move(child));
  }
  changed(Change::Items);
}

void ShellTreeView::setSelected(Node* node) {
  selected_ = node;
  changed(Change::Selection);
}

ShellTreeView::Node* ShellTreeView::nodeFor(const std::string& path) {
  const std::string wanted = foldedAscii(normalFolder(path));
  // Depth first through the loaded tree, opening the nodes on the way.
  std::vector<Node*> pending{&root_};
  while (!pending.empty()) {
    Node* node = pending.back();
    pending.pop_back();
    const std::string here = foldedAscii(normalFolder(node->path));
    if (!node->path.empty() && here == wanted) return node;
    const bool onTheWay = node->path.empty() || wanted.rfind(folderWithBackslash(here), 0) == 0;
    if (!onTheWay) continue;
    expand(*node);
    for (auto& child : node->children) pending.push_back(child.get());
  }
  return nullptr;
}

void ShellTreeView::userSelect(Node* node) {
  if (!usable()) return;
  setSelected(node);
  fire(onChange);
}

void ShellTreeView::dblClick() {
  if (!usable()) return;
  fire(onDblClick);
}

}  // namespace tg::ui

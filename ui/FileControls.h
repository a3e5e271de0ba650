#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "ui/Lists.h"

namespace tg::ui {

// The plain files of a folder that match a mask, by name.
class FileListBox : public ListBox {
 public:
  FileListBox(std::string name, Rect bounds, FileSystem& files)
      : ListBox(std::move(name), bounds, Drawing::Plain, ControlKind::FileListBox), files_(files) {}
  const std::string& directory() const { return directory_; }
  // Lists the folder and makes it the list's own. A folder that cannot be
  // listed changes nothing (the list keeps its folder and its names, which
  // must not be taken for another folder's); false then.
  bool setDirectory(std::string folder);
  const std::string& mask() const { return mask_; }
  void setMask(std::string mask);
  // Lists the folder afresh; on a failure the names stay as they were.
  bool refresh();

 private:
  FileSystem& files_;
  std::string directory_;
  std::string mask_ = "*.*";
};

// The folders of a drive as a tree-like list: the current folder's path from
// the drive down, then the current folder's subfolders.
class DirectoryListBox : public Control {
 public:
  struct Entry {
    std::string caption;
    std::string path;  // full path, with no backslash at the end but for a drive root
    int level = 0;
  };
  DirectoryListBox(std::string name, Rect bounds, FileSystem& files, std::string directory);

  const std::string& directory() const { return directory_; }
  void setDirectory(std::string folder);  // code: fires nothing
  const std::vector<Entry>& entries() const { return entries_; }
  int currentIndex() const { return current_; }
  // The user opens an entry: it becomes the current folder, then onChange.
  void openEntry(int index);
  std::function<void()> onChange;

 private:
  void rebuild();
  FileSystem& files_;
  std::string directory_;
  std::vector<Entry> entries_;
  int current_ = -1;
};

// The shell's folders from the desktop down, loaded as they are opened.
class ShellTreeView : public Control {
 public:
  struct Node {
    std::string caption;
    std::string path;  // empty for the desktop and other folders that are no place on a disk
    Node* parent = nullptr;
    bool loaded = false;
    std::vector<std::unique_ptr<Node>> children;
  };
  ShellTreeView(std::string name, Rect bounds, FileSystem& files, Shell& shell);

  Node& root() { return root_; }
  const Node& root() const { return root_; }
  // Loads a node's subfolders once.
  void expand(Node& node);
  Node* selected() const { return selected_; }
  // The full path of the selected folder, empty when none is selected or the
  // selection is no place on a disk.
  std::string selectedPath() const { return selected_ ? selected_->path : std::string(); }
  void setSelected(Node* node);  // code
  // The node for a folder path, opening the tree down to it; null when none.
  Node* nodeFor(const std::string& path);

  // The user selects a node: onChange. The user double-clicks: onDblClick.
  void userSelect(Node* node);
  void dblClick();
  std::function<void()> onChange;
  std::function<void()> onDblClick;

 private:
  FileSystem& files_;
  Node root_;
  Node* selected_ = nullptr;
};

}  // namespace tg::ui

#pragma once

#include <memory>
#include <string>

#include "pages/PageContext.h"
#include "ui/Button.h"
#include "ui/FileControls.h"
#include "ui/Toggles.h"

namespace tg {

// Two folders side by side, at first the user's cookies and downloads, each
// emptied of its plain files and its index.dat after one question; the trees
// point either list at another folder.
class CookieCleanerPage : public Page {
 public:
  static std::unique_ptr<Page> build(PageContext& c);

  void ShellTreeView1DblClick() { pointAt(*left, *ShellTreeView1); }
  void ShellTreeView2DblClick() { pointAt(*right, *ShellTreeView2); }
  void BitBtn20Click() { clean(*left); }
  void BitBtn3Click() { clean(*right); }

  // The downloads folder: the program's drive, "\Users\", the user, "\Downloads".
  static std::string downloadsFolder(const std::string& programDirectory, const std::string& user);

  ui::CheckBox* CheckBox13 = nullptr;
  ui::ShellTreeView* ShellTreeView1 = nullptr;
  ui::ShellTreeView* ShellTreeView2 = nullptr;
  ui::FileListBox* left = nullptr;
  ui::FileListBox* right = nullptr;
  ui::Button* BitBtn20 = nullptr;
  ui::Button* BitBtn3 = nullptr;

 private:
  explicit CookieCleanerPage(PageContext& c) : c_(c) {}
  void pointAt(ui::FileListBox& list, const ui::ShellTreeView& tree);
  void clean(const ui::FileListBox& list);
  PageContext c_;
};

}  // namespace tg

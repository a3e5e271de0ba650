#include "testing/FakeDirectoryWatchers.h"

#include "stores/PlainFiles.h"
#include "base/Text.h"

namespace tg::testing {

class FakeDirectoryWatchers::Watch : public DirectoryWatch {
 public:
  Watch(std::list<Entry>& entries, std::list<Entry>::iterator entry) : entries_(entries), entry_(entry) {}
  ~Watch() override { entries_.erase(entry_); }

 private:
  std::list<Entry>& entries_;
  std::list<Entry>::iterator entry_;
};

std::unique_ptr<DirectoryWatch> FakeDirectoryWatchers::add(const std::string& folder, bool subtree,
                                                           std::function<void()> changed) {
  const auto attributes = files_.attributes(folder);
  const auto identity = files_.identity(folder);
  if (!attributes || !(*attributes & attr::Directory) || !identity) return nullptr;
  entries_.push_back({*identity, subtree, std::move(changed), false});
  return std::make_unique<Watch>(entries_, std::prev(entries_.end()));
}

std::unique_ptr<DirectoryWatch> FakeDirectoryWatchers::watch(const std::string& root, std::function<void()> changed) {
  return add(root, true, std::move(changed));
}

std::unique_ptr<DirectoryWatch> FakeDirectoryWatchers::watchFolders(const std::string& folder,
                                                                    std::function<void()> changed) {
  return add(folder, false, std::move(changed));
}

std::string FakeDirectoryWatchers::nameOf(const Entry& e) const {
  const auto path = files_.pathOf(e.folder);
  return path ? foldedAscii(folderWithBackslash(*path)) : std::string();
}

void FakeDirectoryWatchers::nameChanged(const std::string& path) {
  const std::string changed = foldedAscii(path);
  for (Entry& e : entries_) {
    const std::string root = nameOf(e);
    if (root.empty() || changed.size() <= root.size() || changed.compare(0, root.size(), root) != 0) continue;
    // A watch of folder names sees only what lies directly in its folder.
    if (!e.subtree && changed.find('\\', root.size()) != std::string::npos) continue;
    e.pending = true;
  }
}

int FakeDirectoryWatchers::deliver(int limit) {
  int delivered = 0;
  for (bool any = true; any && delivered < limit;) {
    any = false;
    for (auto it = entries_.begin(); it != entries_.end() && delivered < limit; ++it) {
      if (!it->pending) continue;
      // Cleared before the handler runs: what it changes raises a further event.
      it->pending = false;
      ++delivered;
      any = true;
      const auto changed = it->changed;  // the handler may end this very watch
      changed();
      break;
    }
  }
  return delivered;
}

std::vector<std::string> FakeDirectoryWatchers::roots() const {
  std::vector<std::string> out;
  for (const Entry& e : entries_)
    if (e.subtree) out.push_back(nameOf(e));
  return out;
}

}  // namespace tg::testing

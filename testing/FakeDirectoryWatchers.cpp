#include "testing/FakeDirectoryWatchers.h"

#include "stores/PlainFiles.h"
#include "stores/Text.h"

namespace tg::testing {

class FakeDirectoryWatchers::Watch : public DirectoryWatch {
 public:
  Watch(std::list<Entry>& entries, std::list<Entry>::iterator entry) : entries_(entries), entry_(entry) {}
  ~Watch() override { entries_.erase(entry_); }

 private:
  std::list<Entry>& entries_;
  std::list<Entry>::iterator entry_;
};

std::unique_ptr<DirectoryWatch> FakeDirectoryWatchers::watch(const std::string& root, std::function<void()> changed) {
  const auto attributes = files_.attributes(root);
  if (!attributes || !(*attributes & attr::Directory)) return nullptr;
  entries_.push_back({foldedAscii(folderWithBackslash(root)), std::move(changed), false});
  return std::make_unique<Watch>(entries_, std::prev(entries_.end()));
}

void FakeDirectoryWatchers::nameChanged(const std::string& path) {
  const std::string changed = foldedAscii(path);
  for (Entry& e : entries_)
    if (changed.size() > e.root.size() && changed.compare(0, e.root.size(), e.root) == 0) e.pending = true;
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
  for (const Entry& e : entries_) out.push_back(e.root);
  return out;
}

}  // namespace tg::testing

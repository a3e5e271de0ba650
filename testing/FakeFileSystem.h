#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace tg::testing {

// An in-memory file system with the Windows rules the core meets: drive letters
// and shares (a drive or share with no root folder is one that is not there
// now), backslashes (a doubled one counts once, "." and ".." are resolved),
// names compared ignoring letter case, folders that must exist before files go
// in them, read-only, hidden and system files, files held open without sharing
// by another process, files and folders the user may not touch, second names
// of one file, listings that fail, and a full disk.
class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(Clock* clock = nullptr);

  FileRead read(const std::string& path) override;
  bool writeBytes(const std::string& path, const std::string& bytes) override;
  bool appendBytes(const std::string& path, const std::string& bytes) override;
  bool writeBytesDurably(const std::string& path, const std::string& bytes) override { return writeBytes(path, bytes); }
  bool exists(const std::string& path) override;
  bool remove(const std::string& path) override;
  bool rename(const std::string& from, const std::string& to, bool replace) override;
  bool createDirectory(const std::string& path) override;
  bool copyFile(const std::string& from, const std::string& to) override;
  std::optional<std::uint32_t> attributes(const std::string& path) override;
  bool createNew(const std::string& path) override;
  std::optional<std::vector<FileEntry>> find(const std::string& pattern) override;
  Presence presence(const std::string& path) override;
  std::optional<FileIdentity> identity(const std::string& path) override;
  std::optional<std::uint64_t> size(const std::string& path) override;
  std::optional<std::string> readRange(const std::string& path, std::uint64_t offset, std::size_t count) override;
  FileError openExclusively(const std::string& path) override;
  std::optional<AccountName> owner(const std::string& path) override;

  // Setting the scene.
  void addDirectory(const std::string& path);  // with every missing parent
  void addFile(const std::string& path, const std::string& bytes, std::uint32_t attributes = attr::Archive);
  void setAttributes(const std::string& path, std::uint32_t attributes);
  void setTimes(const std::string& path, const DateTime& lastWrite, const DateTime& lastAccess);
  void setOwner(const std::string& path, AccountName owner);
  // A size larger than the bytes held, as for a sparse file; reads beyond the
  // bytes give zeros.
  void setApparentSize(const std::string& path, std::uint64_t size);
  // Another process holds the file open without sharing it.
  void setLocked(const std::string& path, bool locked);
  // The user may not open the file at all (its permissions say so); for a
  // folder, the user may not list it or look into it either.
  void setDenied(const std::string& path, bool denied);
  // A second name of an existing file, as a hard link gives: one identity, and
  // what is written through either name is read through both.
  void addLink(const std::string& existing, const std::string& link);
  // The next `times` listings of the folder fail, as a folder that is away for
  // a moment or a share that drops does.
  void failListings(const std::string& folder, int times = 1) { failingListings_[key(folder)] = times; }
  // The path of the file or folder of an identity, as it is named now; empty
  // once it is gone.
  std::optional<std::string> pathOf(const FileIdentity& identity) const;
  // The user may read in the folder but not create, replace, move or delete
  // anything in it.
  void setFolderWritable(const std::string& folder, bool writable);
  // Every write fails part-way, as on a full disk: a file written is left
  // holding the first half of its new bytes.
  void setDiskFull(bool full) { diskFull_ = full; }
  // Writes to this path, and moves that would replace it, fail once
  // `successfulWritesFirst` more of them have gone through.
  void failWritesTo(const std::string& path, int successfulWritesFirst = 0) {
    failingWrites_[key(path)] = successfulWritesFirst;
  }

  // Looking at the result: the content without any lock in the way, and the
  // names of the files (not folders) directly in a folder, sorted.
  // Told of every name that appears, goes or changes, as a directory watch is.
  std::function<void(const std::string& path)> onNameChange;

  std::optional<std::string> contents(const std::string& path) const;
  std::vector<std::string> fileNames(const std::string& folder) const;
  int writeCount(const std::string& path) const;

 private:
  struct Node {
    std::string path;  // as first written, for listings
    bool directory = false;
    std::string bytes;
    std::uint32_t attributes = attr::Archive;
    bool locked = false;
    bool denied = false;
    bool writeProtected = false;  // a folder whose entries cannot change
    DateTime lastWrite;
    DateTime lastAccess;
    std::optional<AccountName> owner;
    std::optional<std::uint64_t> apparentSize;
    std::uint64_t index = 0;  // what tells one file from another: kept by a move, shared by a link
  };

  static std::string normalized(const std::string& path);
  static std::string key(const std::string& path);
  static std::string parentKey(const std::string& k);
  static std::string leafName(const std::string& path);
  bool parentExists(const std::string& k) const;
  bool parentWritable(const std::string& k) const;
  bool listable(const std::string& folderKey) const;
  static std::string rootKeyOf(const std::string& k);
  // Carries a write to every other name of the same file.
  void shareContent(const Node& written);
  std::uint64_t newIndex() { return ++lastIndex_; }
  void nameChanged(const std::string& path) {
    if (onNameChange) onNameChange(path);
  }
  DateTime now() const;

  Clock* clock_;
  std::map<std::string, Node> nodes_;
  std::map<std::string, int> failingWrites_;  // path -> writes still allowed
  std::map<std::string, int> writes_;
  std::map<std::string, int> failingListings_;  // folder -> listings still to fail
  std::uint64_t lastIndex_ = 0;
  bool linked_ = false;  // some file has two names
  bool diskFull_ = false;
};

// Windows file-name pattern match: '*' any run, '?' any one character, letter
// case ignored; "*.*" matches every name.
bool matchesFilePattern(const std::string& name, const std::string& pattern);

}  // namespace tg::testing

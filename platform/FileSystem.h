#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DateTime.h"

namespace tg {

// File attribute bits, as the platform reports them.
namespace attr {
constexpr std::uint32_t ReadOnly = 0x01;
constexpr std::uint32_t Hidden = 0x02;
constexpr std::uint32_t System = 0x04;
constexpr std::uint32_t VolumeLabel = 0x08;
constexpr std::uint32_t Directory = 0x10;
constexpr std::uint32_t Archive = 0x20;
constexpr std::uint32_t Normal = 0x80;
}  // namespace attr

// One match of a directory search.
struct FileEntry {
  std::string name;  // without its folder
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;
  DateTime lastWrite;   // local time
  DateTime lastAccess;  // local time
};

// The account that owns a file.
struct AccountName {
  std::string domain;
  std::string account;
};

// Which file a path leads to: its volume and its index there. Two paths with
// one identity are one file however they reach it (a hard link, a second
// spelling, a subst or mapped drive).
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  bool operator==(const FileIdentity&) const = default;
  auto operator<=>(const FileIdentity&) const = default;
};

// What is known of a path without opening it. Only Absent lets a caller act as
// if nothing were there: a drive that is not plugged in, a share that is
// offline or a folder the user may not look into give Unknown.
enum class Presence {
  Present,  // a file or a folder
  Absent,   // nothing, on a drive or share that answers
  Unknown,
};

// Why a file could not be opened or read. A file held by another process may be
// free a moment later; one the user may not open stays so; one too large for
// memory will never be read whole.
enum class FileError {
  None,
  Missing,   // no such file or folder
  Held,      // opened by another process without the sharing asked for, or locked
  Denied,    // access denied, a read-only file or folder, a folder where a file was expected
  TooLarge,  // more than memory can hold
  Failed,    // any other failure: a device error, a full disk, ...
};

// The whole content of a file, or why there is none.
struct FileRead {
  std::optional<std::string> bytes;
  FileError error = FileError::None;
};

// A file's whole content to look at, without a copy of its own where the
// system can map the file into memory; released with the object. A file that
// is viewed cannot be replaced on Windows: views are let go of at once.
class FileView {
 public:
  virtual ~FileView() = default;
  virtual std::string_view bytes() const = 0;
};
struct FileViewRead {
  std::unique_ptr<FileView> view;
  FileError error = FileError::None;
};

// A file read from its start, block by block.
class FileReader {
 public:
  virtual ~FileReader() = default;
  // Up to `size` bytes into `buffer`: how many were read, 0 at the end, or
  // empty when reading failed.
  virtual std::optional<std::size_t> read(char* buffer, std::size_t size) = 0;
};

// A new content for a file, written block by block beside it. The file is
// replaced only by commit, once the content is complete; a writer that goes
// without committing takes its partial content with it.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  virtual bool write(const char* bytes, std::size_t size) = 0;
  virtual bool commit() = 0;
};

// The name of a writer's partial content beside `path`: "<path>.tg-partial",
// then "<path>.tg-partial2" and so on while a name is taken.
std::string partialName(const std::string& path, int attempt);
constexpr int kPartialAttempts = 100;

// Files, by Windows path (drive letter, backslashes, letter case ignored).
// Every operation reports failure through its result and never throws.
struct FileSystem {
  // The whole content, read with read and write sharing, or why it cannot be had.
  virtual FileRead read(const std::string& path) = 0;
  // The content; empty when the file is missing or cannot be read.
  std::optional<std::string> readBytes(const std::string& path) { return read(path).bytes; }
  // The whole content as read gives it, with the same sharing and errors: a
  // large file read this way does not take its size in the program's memory.
  virtual FileViewRead view(const std::string& path);
  // Creates or replaces the file with exactly these bytes.
  virtual bool writeBytes(const std::string& path, const std::string& bytes) = 0;
  // The same, and on the disk before it returns: what a file must hold before
  // it replaces another.
  virtual bool writeBytesDurably(const std::string& path, const std::string& bytes) = 0;
  // Adds the bytes at the end of the file, creating it when missing. Writers
  // take turns: the file is opened for one writer at a time, and an append
  // that finds another writer (or any program holding the file) fails at once
  // rather than wait, so that no append breaks into another and no caller is
  // held. Whoever must get the bytes in tries again later.
  virtual bool appendBytes(const std::string& path, const std::string& bytes) = 0;
  // Creates an empty file, only when nothing has that name yet: the caller
  // then knows that the file is its own.
  virtual bool createNew(const std::string& path) = 0;
  virtual bool exists(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Moves a file; when `replace` is set an existing target is replaced in one step.
  virtual bool rename(const std::string& from, const std::string& to, bool replace) = 0;
  // Creates one folder; its parent must exist. True when it exists afterwards.
  virtual bool createDirectory(const std::string& path) = 0;
  // Copies a file, replacing the target; the copy keeps the source's last-write time.
  virtual bool copyFile(const std::string& from, const std::string& to) = 0;
  // The attribute bits, or empty when the path cannot be queried.
  virtual std::optional<std::uint32_t> attributes(const std::string& path) = 0;
  // Matches of a pattern such as "C:\dir\*.txt", folders and hidden files included,
  // in the order the platform gives them; "." and ".." are left out. Empty when
  // nothing matches in a folder that could be listed; none at all when the
  // folder could not be listed whole (missing, denied, a device or network
  // that failed on the way): never a part taken for the whole.
  virtual std::optional<std::vector<FileEntry>> find(const std::string& pattern) = 0;
  virtual Presence presence(const std::string& path) = 0;
  // Empty when the path leads to nothing or cannot be asked about.
  virtual std::optional<FileIdentity> identity(const std::string& path) = 0;

  // The size of a file opened for reading with read sharing; empty when it
  // cannot be opened.
  virtual std::optional<std::uint64_t> size(const std::string& path) = 0;
  // Up to `count` bytes from `offset` of a file opened read-only; fewer at its
  // end; empty when it cannot be opened or read.
  virtual std::optional<std::string> readRange(const std::string& path, std::uint64_t offset,
                                               std::size_t count) = 0;
  // Opens the file for reading and writing without sharing it and closes it at
  // once: None when that worked, Held when another process holds the file open,
  // otherwise why it could not be opened.
  virtual FileError openExclusively(const std::string& path) = 0;
  // The owner of a file as the local machine names it; empty when unavailable.
  virtual std::optional<AccountName> owner(const std::string& path) = 0;

  // Streams for files of any size. The defaults work through the operations
  // above, a block at a time; a platform may give faster ones.
  // Null when the file cannot be opened.
  virtual std::unique_ptr<FileReader> openReader(const std::string& path);
  // Null when the new content cannot be started beside the file. The partial
  // content goes to a file of its own beside the target, created new (never
  // one that was there before), and only that file is removed when the
  // writer goes without committing.
  virtual std::unique_ptr<FileWriter> createReplacing(const std::string& path);
  // Whether two paths name one existing file, however each is spelled
  // (letter case, "." and "..", short names, links): their identities.
  bool sameFile(const std::string& a, const std::string& b);

  virtual ~FileSystem() = default;
};

}  // namespace tg

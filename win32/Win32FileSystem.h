#pragma once

#include "platform/FileSystem.h"

namespace tg::win32 {

// Files through the system's single-byte ("A") functions, so that paths and
// names stay in the code page the core keeps all text in.
class Win32FileSystem : public FileSystem {
 public:
  FileRead read(const std::string& path) override;
  FileViewRead view(const std::string& path) override;
  bool writeBytes(const std::string& path, const std::string& bytes) override;
  bool appendBytes(const std::string& path, const std::string& bytes) override;
  bool writeBytesDurably(const std::string& path, const std::string& bytes) override;
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
  std::unique_ptr<FileReader> openReader(const std::string& path) override;
  std::unique_ptr<FileWriter> createReplacing(const std::string& path) override;
};

}  // namespace tg::win32

#include <algorithm>
#include <vector>

#include "platform/FileSystem.h"

namespace tg {

namespace {

class RangeReader : public FileReader {
 public:
  RangeReader(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  std::optional<std::size_t> read(char* buffer, std::size_t size) override {
    const auto bytes = files_.readRange(path_, offset_, size);
    if (!bytes) return std::nullopt;
    std::copy(bytes->begin(), bytes->end(), buffer);
    offset_ += bytes->size();
    return bytes->size();
  }

 private:
  FileSystem& files_;
  std::string path_;
  std::uint64_t offset_ = 0;
};

class AppendingWriter : public FileWriter {
 public:
  AppendingWriter(FileSystem& files, std::string partial, std::string path)
      : files_(files), partial_(std::move(partial)), path_(std::move(path)) {}
  ~AppendingWriter() override {
    if (!committed_) files_.remove(partial_);  // created by this writer, so its own to remove
  }
  bool write(const char* bytes, std::size_t size) override { return files_.appendBytes(partial_, std::string(bytes, size)); }
  bool commit() override {
    committed_ = files_.rename(partial_, path_, true);
    return committed_;
  }

 private:
  FileSystem& files_;
  std::string partial_;
  std::string path_;
  bool committed_ = false;
};

}  // namespace

std::string partialName(const std::string& path, int attempt) {
  return path + ".tg-partial" + (attempt == 1 ? std::string() : std::to_string(attempt));
}

namespace {

class ReadView : public FileView {
 public:
  explicit ReadView(std::string bytes) : bytes_(std::move(bytes)) {}
  std::string_view bytes() const override { return bytes_; }

 private:
  std::string bytes_;
};

}  // namespace

FileViewRead FileSystem::view(const std::string& path) {
  FileRead file = read(path);
  if (!file.bytes) return {nullptr, file.error};
  return {std::make_unique<ReadView>(std::move(*file.bytes)), FileError::None};
}

std::unique_ptr<FileReader> FileSystem::openReader(const std::string& path) {
  if (!size(path)) return nullptr;
  return std::make_unique<RangeReader>(*this, path);
}

std::unique_ptr<FileWriter> FileSystem::createReplacing(const std::string& path) {
  for (int attempt = 1; attempt <= kPartialAttempts; ++attempt) {
    const std::string partial = partialName(path, attempt);
    if (createNew(partial)) return std::make_unique<AppendingWriter>(*this, partial, path);
    if (presence(partial) != Presence::Present) return nullptr;  // not a name taken: the folder refuses
  }
  return nullptr;
}

bool FileSystem::sameFile(const std::string& a, const std::string& b) {
  // Only existing files can be one file; a path to nothing names no file to destroy.
  const auto first = identity(a);
  const auto second = identity(b);
  return first && second && *first == *second;
}

}  // namespace tg

#include <algorithm>
#include <cctype>
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
  AppendingWriter(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}
  ~AppendingWriter() override {
    if (!committed_) files_.remove(partial());
  }
  bool start() { return files_.writeBytes(partial(), {}); }
  bool write(const char* bytes, std::size_t size) override { return files_.appendBytes(partial(), std::string(bytes, size)); }
  bool commit() override {
    committed_ = files_.rename(partial(), path_, true);
    return committed_;
  }

 private:
  std::string partial() const { return path_ + ".tg-partial"; }
  FileSystem& files_;
  std::string path_;
  bool committed_ = false;
};

// The path's parts without "." and "..", upper case.
std::vector<std::string> partsOf(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  auto flush = [&] {
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    part.clear();
  };
  for (char c : path) {
    if (c == '\\' || c == '/')
      flush();
    else
      part += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  flush();
  return parts;
}

}  // namespace

std::unique_ptr<FileReader> FileSystem::openReader(const std::string& path) {
  if (!size(path)) return nullptr;
  return std::make_unique<RangeReader>(*this, path);
}

std::unique_ptr<FileWriter> FileSystem::createReplacing(const std::string& path) {
  auto writer = std::make_unique<AppendingWriter>(*this, path);
  if (!writer->start()) return nullptr;
  return writer;
}

bool FileSystem::sameFile(const std::string& a, const std::string& b) {
  return exists(a) && exists(b) && partsOf(a) == partsOf(b);
}

}  // namespace tg

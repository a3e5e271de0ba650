// The file streams through handles held open for the whole stream.
#include "win32/Handle.h"
#include "win32/Win32FileSystem.h"

namespace tg::win32 {

namespace {

class HandleReader : public FileReader {
 public:
  explicit HandleReader(Handle file) : file_(std::move(file)) {}
  std::optional<std::size_t> read(char* buffer, std::size_t size) override {
    DWORD got = 0;
    if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) return std::nullopt;
    return got;
  }

 private:
  Handle file_;
};

class HandleWriter : public FileWriter {
 public:
  HandleWriter(Handle file, std::string partial, std::string target)
      : file_(std::move(file)), partial_(std::move(partial)), target_(std::move(target)) {}
  ~HandleWriter() override {
    if (committed_) return;
    file_.reset();
    DeleteFileA(partial_.c_str());
  }
  bool write(const char* bytes, std::size_t size) override {
    while (size > 0) {
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes, static_cast<DWORD>(size), &written, nullptr) || written == 0) return false;
      bytes += written;
      size -= written;
    }
    return true;
  }
  bool commit() override {
    // On the disk before it replaces anything.
    if (!FlushFileBuffers(file_.get())) return false;
    file_.reset();
    committed_ = MoveFileExA(partial_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    return committed_;
  }

 private:
  Handle file_;
  std::string partial_;
  std::string target_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<FileReader> Win32FileSystem::openReader(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return nullptr;
  return std::make_unique<HandleReader>(std::move(file));
}

std::unique_ptr<FileWriter> Win32FileSystem::createReplacing(const std::string& path) {
  // A name that nothing has yet: the partial file is then this writer's own,
  // to fill and, should it fail, to remove.
  for (int attempt = 1; attempt <= kPartialAttempts; ++attempt) {
    const std::string partial = partialName(path, attempt);
    Handle file(CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) return std::make_unique<HandleWriter>(std::move(file), partial, path);
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return nullptr;
  }
  return nullptr;
}

}  // namespace tg::win32

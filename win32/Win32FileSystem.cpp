#include "win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>

#include "win32/FileTimes.h"
#include "win32/Handle.h"

namespace tg::win32 {

namespace {

FileError fileErrorOf(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_DRIVE: return FileError::Missing;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return FileError::Held;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return FileError::Denied;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return FileError::TooLarge;
    default: return FileError::Failed;
  }
}

FileError lastFileError() { return fileErrorOf(GetLastError()); }

}  // namespace

FileRead Win32FileSystem::read(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {std::nullopt, lastFileError()};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {std::nullopt, lastFileError()};
  if (static_cast<unsigned long long>(size.QuadPart) >= std::string().max_size())
    return {std::nullopt, FileError::TooLarge};
  std::string bytes;
  try {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::exception&) {  // bad_alloc, length_error
    return {std::nullopt, FileError::TooLarge};
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return {std::nullopt, lastFileError()};
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  bytes.resize(done);
  return {std::move(bytes), FileError::None};
}

namespace {

class MappedView : public FileView {
 public:
  MappedView(const char* base, std::size_t size) : base_(base), size_(size) {}
  ~MappedView() override { UnmapViewOfFile(base_); }
  MappedView(const MappedView&) = delete;
  MappedView& operator=(const MappedView&) = delete;
  std::string_view bytes() const override { return {base_, size_}; }

 private:
  const char* base_;
  std::size_t size_;
};

// Whether a path lies on a fixed drive of this machine. A mapped file whose
// drive goes away (a share gone offline, a stick pulled) ends the program at
// the next page read; such files are read into memory instead, where a
// failure is an error.
bool onFixedDrive(const std::string& path) {
  if (path.size() < 3 || path[1] != ':' || (path[2] != '\\' && path[2] != '/')) return false;
  const char root[] = {path[0], ':', '\\', '\0'};
  return GetDriveTypeA(root) == DRIVE_FIXED;
}

}  // namespace

FileViewRead Win32FileSystem::view(const std::string& path) {
  if (!onFixedDrive(path)) return FileSystem::view(path);
  {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {nullptr, lastFileError()};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return {nullptr, lastFileError()};
    // An empty file cannot be mapped; one too large for the address space is read as read() would.
    if (size.QuadPart > 0 && static_cast<unsigned long long>(size.QuadPart) <= SIZE_MAX / 4) {
      Handle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
      if (mapping) {
        // The view keeps the file's section alive once both handles are closed.
        if (const void* base = MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0))
          return {std::make_unique<MappedView>(static_cast<const char*>(base), static_cast<std::size_t>(size.QuadPart)),
                  FileError::None};
      }
    }
  }
  return FileSystem::view(path);
}

namespace {

// Every byte, in as many writes as it takes.
bool writeAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

bool writeWhole(const std::string& path, const std::string& bytes, bool durable) {
  Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file || !writeAll(file.get(), bytes)) return false;
  return !durable || FlushFileBuffers(file.get()) != 0;
}

}  // namespace

bool Win32FileSystem::writeBytes(const std::string& path, const std::string& bytes) {
  return writeWhole(path, bytes, false);
}

bool Win32FileSystem::writeBytesDurably(const std::string& path, const std::string& bytes) {
  return writeWhole(path, bytes, true);
}

bool Win32FileSystem::appendBytes(const std::string& path, const std::string& bytes) {
  // Appends through shared handles are not atomic everywhere (wine looks up the
  // end and then writes), so writers take turns: the file is opened for one
  // writer at a time. One that finds it taken fails at once; waiting here
  // would hold whatever thread asked, the window's among them.
  Handle file(CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  return file && writeAll(file.get(), bytes);
}

bool Win32FileSystem::createNew(const std::string& path) {
  return static_cast<bool>(
      Handle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

bool Win32FileSystem::exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::remove(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32FileSystem::rename(const std::string& from, const std::string& to, bool replace) {
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  return MoveFileExA(from.c_str(), to.c_str(), flags) != 0;
}

bool Win32FileSystem::createDirectory(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return static_cast<std::uint32_t>(a);
}

std::optional<std::vector<FileEntry>> Win32FileSystem::find(const std::string& pattern) {
  std::vector<FileEntry> out;
  WIN32_FIND_DATAA data;
  FindHandle search(FindFirstFileA(pattern.c_str(), &data));
  if (!search) {
    // Nothing matches in a folder that was read; a missing folder, a denied
    // one or a device that failed gives no listing at all.
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return out;
    return std::nullopt;
  }
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    out.push_back({name, static_cast<std::uint32_t>(data.dwFileAttributes),
                   (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   localFromFileTime(data.ftLastWriteTime), localFromFileTime(data.ftLastAccessTime)});
  } while (FindNextFileA(search.get(), &data));
  // A listing cut off on the way (a share that dropped) is no listing of the folder.
  if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return out;
}

namespace {

// The root of the drive or share a full path lies on ("C:\", "\\server\share\"),
// or empty for any other kind of path.
std::string volumeRootOf(const std::string& path) {
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' && separator(path[2]))
    return path.substr(0, 2) + "\\";
  if (path.size() < 5 || !separator(path[0]) || !separator(path[1]) || path[2] == '?' || path[2] == '.') return {};
  const std::size_t server = path.find_first_of("\\/", 2);
  if (server == std::string::npos || server == 2) return {};
  std::size_t share = path.find_first_of("\\/", server + 1);
  if (share == server + 1) return {};
  if (share == std::string::npos) share = path.size();
  return path.substr(0, share) + "\\";
}

}  // namespace

Presence Win32FileSystem::presence(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return Presence::Present;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return Presence::Unknown;
  // "Not found" is only worth believing from a volume that answers: a drive
  // letter that is not there now, a card reader without its card and an
  // offline share all say "not found" too.
  const std::string root = volumeRootOf(path);
  if (root.empty() || GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) return Presence::Unknown;
  if (!GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0))
    return Presence::Unknown;
  return Presence::Absent;
}

std::optional<FileIdentity> Win32FileSystem::identity(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber,
                      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

std::optional<std::uint64_t> Win32FileSystem::size(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file) return std::nullopt;
  DWORD high = 0;
  const DWORD low = GetFileSize(file.get(), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return std::nullopt;
  return (static_cast<std::uint64_t>(high) << 32) | low;
}

std::optional<std::string> Win32FileSystem::readRange(const std::string& path, std::uint64_t offset,
                                                      std::size_t count) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return std::nullopt;
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

FileError Win32FileSystem::openExclusively(const std::string& path) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return lastFileError();
  // Windows refuses to open a read-only file for writing; wine run by root
  // opens it all the same, so the attribute is asked for what Windows would say.
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.get(), &info)) return lastFileError();
  return (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? FileError::Denied : FileError::None;
}

std::optional<AccountName> Win32FileSystem::owner(const std::string& path) {
  alignas(SECURITY_DESCRIPTOR) unsigned char descriptor[1024];
  DWORD needed = 0;
  if (!GetFileSecurityA(path.c_str(), OWNER_SECURITY_INFORMATION, descriptor, sizeof descriptor, &needed))
    return std::nullopt;
  PSID sid = nullptr;
  BOOL defaulted = FALSE;
  if (!GetSecurityDescriptorOwner(descriptor, &sid, &defaulted) || !sid) return std::nullopt;
  char account[1024];
  char domain[1024];
  DWORD accountSize = sizeof account;
  DWORD domainSize = sizeof domain;
  SID_NAME_USE use;
  if (!LookupAccountSidA(nullptr, sid, account, &accountSize, domain, &domainSize, &use)) return std::nullopt;
  return AccountName{domain, account};
}

}  // namespace tg::win32

#include <windows.h>
// After <windows.h>, which it needs: WIN32_LEAN_AND_MEAN leaves it out.
#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "win32/ErrorBox.h"
#include "win32/Win32System.h"

namespace tg::win32 {

namespace {

// Room for a long path, or for a folder and many names when several are chosen.
constexpr std::size_t kNameRoom = 32 * 1024;

// The dialogs' type list: caption\0pattern\0 per type, and one \0 more.
std::string filterOf(const std::vector<FileType>& types) {
  std::string filter;
  for (const FileType& type : types) {
    filter += type.caption;
    filter += '\0';
    filter += type.pattern;
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

// "xml" for "*.xml" (the first of "*.xml;*.txt"); none for a pattern such as
// "*.*", whose extension is no name.
std::string extensionOf(const std::string& pattern) {
  std::string first = pattern.substr(0, pattern.find(';'));
  if (first.rfind("*.", 0) != 0) return {};
  first.erase(0, 2);
  if (first.empty() || first.find_first_of("*?") != std::string::npos) return {};
  return first;
}

// The buffer that the dialog reads its first name from and writes the choice to.
std::string nameBuffer(const std::string& initial) {
  std::string buffer(std::max(kNameRoom, initial.size() + 2), '\0');
  std::copy(initial.begin(), initial.end(), buffer.begin());
  return buffer;
}

struct DialogSetup {
  std::string filter;
  std::string file;
  OPENFILENAMEA ofn{};
};

void prepare(DialogSetup& setup, HWND owner, const std::string& title, const std::vector<FileType>& types,
             const std::string& initialName, DWORD flags) {
  setup.filter = filterOf(types);
  setup.file = nameBuffer(initialName);
  OPENFILENAMEA& ofn = setup.ofn;
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = types.empty() ? nullptr : setup.filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = setup.file.data();
  ofn.nMaxFile = static_cast<DWORD>(setup.file.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | flags;
}

const char kTooLong[] = "the names chosen are longer than it can hold";

std::string failureText(const char* dialog, const char* why) {
  return std::string("The ") + dialog + " dialog could not be used: " + why + ". Nothing was chosen.";
}

std::string failureText(const char* dialog, DWORD code) {
  const char* why = "it failed";
  switch (code) {
    case FNERR_BUFFERTOOSMALL:
      why = kTooLong;
      break;
    case FNERR_INVALIDFILENAME:
      why = "the file name is not valid";
      break;
    case CDERR_MEMALLOCFAILURE:
    case CDERR_MEMLOCKFAILURE:
      why = "there is not enough memory";
      break;
    case CDERR_DIALOGFAILURE:
      why = "it could not be created";
      break;
    default:
      break;
  }
  char withCode[128];
  std::snprintf(withCode, sizeof withCode, "%s (error 0x%04lX)", why, static_cast<unsigned long>(code));
  return failureText(dialog, withCode);
}

// The error box goes over the main window, or over whatever is active before it exists.
HWND boxOwner(HWND owner) { return owner ? owner : GetActiveWindow(); }

// Whether the dialog gave a choice. Cancelling is the user's answer; anything
// else is a fault, told to the user, or the action would just do nothing.
bool ran(BOOL result, const char* dialog, HWND owner) {
  if (result) return true;
  const DWORD code = CommDlgExtendedError();
  if (code != 0) showErrorBox(failureText(dialog, code), boxOwner(owner));
  return false;
}

bool isAbsolute(const std::string& name) { return (name.size() >= 2 && name[1] == ':') || name.rfind("\\\\", 0) == 0; }

// Whether the list of names may have been cut to fit the buffer: wine's dialog
// then drops the names that do not fit instead of failing as Windows' does,
// and an import of only some of the files chosen would look like all of them.
bool mayBeCut(const std::string& buffer) {
  const std::size_t end = buffer.find(std::string(2, '\0'));
  return end == std::string::npos || end + 2 + MAX_PATH >= buffer.size();
}

// An explorer-style result: one full path, or the folder followed by the names
// chosen in it, each ended by \0, the list by one \0 more.
std::vector<std::string> pathsIn(const std::string& buffer) {
  std::vector<std::string> parts;
  for (std::size_t at = 0; at < buffer.size() && buffer[at] != '\0';) {
    const std::size_t end = buffer.find('\0', at);
    if (end == std::string::npos) break;
    parts.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\') folder += '\\';  // a drive's root already ends in one
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(isAbsolute(parts[i]) ? parts[i] : folder + parts[i]);
  return paths;
}

}  // namespace

std::optional<SaveChoice> Win32Dialogs::chooseFileToSave(const std::string& title, const std::vector<FileType>& types,
                                                         const std::string& suggestedName) {
  DialogSetup setup;
  prepare(setup, owner_, title, types, suggestedName, OFN_OVERWRITEPROMPT);
  // A name typed without an extension gets the one of the type shown.
  const std::string extension = types.empty() ? std::string() : extensionOf(types.front().pattern);
  if (!extension.empty()) setup.ofn.lpstrDefExt = extension.c_str();
  if (!ran(GetSaveFileNameA(&setup.ofn), "Save", owner_)) return std::nullopt;
  SaveChoice choice;
  choice.path = setup.file.c_str();
  if (choice.path.empty()) return std::nullopt;
  if (setup.ofn.nFilterIndex >= 1 && setup.ofn.nFilterIndex <= types.size()) choice.type = setup.ofn.nFilterIndex - 1;
  return choice;
}

std::vector<std::string> Win32Dialogs::chooseFilesToOpen(const std::string& title, const std::vector<FileType>& types,
                                                         bool several) {
  DialogSetup setup;
  prepare(setup, owner_, title, types, {}, OFN_FILEMUSTEXIST | (several ? OFN_ALLOWMULTISELECT : 0));
  if (!ran(GetOpenFileNameA(&setup.ofn), "Open", owner_)) return {};
  if (!several) {
    std::string path = setup.file.c_str();
    if (path.empty()) return {};
    return {path};
  }
  if (mayBeCut(setup.file)) {
    showErrorBox(failureText("Open", kTooLong), boxOwner(owner_));
    return {};
  }
  return pathsIn(setup.file);
}

}  // namespace tg::win32

// The text files the control centre reads at start-up, as an editor, another
// program or a damaged disk may leave them: the language files, spam.txt,
// mode.txt, surveille.txt and ctrlpl.txt, and the listing of a folder.
//
// The input: one byte chooses the language code the file is loaded under, the
// rest is the file. Its lines also name the entries of a folder (the first
// line is the mask of the listing), each entry's kind taken from its first
// character.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "stores/ExchangeFiles.h"
#include "stores/LanguageTable.h"
#include "stores/PlainFiles.h"
#include "base/Text.h"
#include "stores/TextFile.h"
#include "testing/FakeFileSystem.h"

namespace tg {
namespace {

using fuzz::require;
using testing::FakeFileSystem;

const std::string kDirectory = "C:\\Program\\";

void checkLines(std::string_view bytes, const Lines& lines) {
  std::size_t total = 0;
  for (const std::string& line : lines) {
    require(line.find_first_of("\r\n") == std::string::npos, "a line holds no line end");
    total += line.size();
  }
  require(total <= bytes.size(), "the lines hold no more than the file");
  require(lines.empty() == bytes.empty(), "a file has a line unless it is empty");
  if (bytes.find_first_of("\r\n") == std::string_view::npos && !bytes.empty())
    require(lines.size() == 1 && lines[0] == bytes, "a file without a line end is one line");
  require(splitLines(joinLines(lines)) == lines, "lines written read back the same");
}

void checkLanguage(std::string_view code, const std::string& bytes, const Lines& lines) {
  LanguageTable before;
  Lines earlier;
  for (int n = 1; n <= LanguageTable::kEntries; ++n) earlier.push_back("earlier " + std::to_string(n));
  before.fill(earlier);

  LanguageTable filled = before;
  filled.fill(lines);
  for (int n = 1; n <= LanguageTable::kEntries; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    const std::string expected = i < lines.size() ? lines[i].substr(0, LanguageTable::kMaxLength) : earlier[i];
    require(filled.text(n) == expected, "entry n is line n cut to 50 characters, or stays");
  }
  require(filled.text(0).empty() && filled.text(LanguageTable::kLastEntry + 1).empty(), "no entry outside the table");
  for (int n = LanguageTable::kEntries + 1; n <= LanguageTable::kLastEntry; ++n)
    require(!filled.text(n).empty(), "an added entry is never empty");

  FakeFileSystem files;
  files.addDirectory(kDirectory);
  const auto file = languageFileOf(code);
  if (file) files.addFile(kDirectory + *file, bytes);
  LanguageTable loaded = before;
  const bool read = loadLanguageTable(loaded, files, kDirectory, code);
  require(read == file.has_value(), "the file of a known code is read");
  for (int n = 1; n <= LanguageTable::kEntries; ++n)
    require(loaded.text(n) == (read ? filled : before).text(n), "loading a file fills the table as its lines do");
}

void checkExchangeFiles(const std::string& bytes, const Lines& lines) {
  FakeFileSystem files;
  files.addDirectory(kDirectory);
  for (const char* name : {"spam.txt", "mode.txt", "surveille.txt", "ctrlpl.txt"}) files.addFile(kDirectory + name, bytes);

  require(readSpamList(files, kDirectory) == lines, "spam.txt gives its lines");
  const char mode = readWatchMode(files, kDirectory);
  require(mode == (lines.empty() || lines[0].empty() ? '0' : lines[0][0]), "mode.txt gives its first character");
  const std::string root = readWatchedRoot(files, kDirectory, "C:\\");
  require(root == (lines.empty() || lines[0].empty() ? "C:\\" : lines[0]), "surveille.txt gives its first line");
  for (const bool current : {false, true}) {
    const bool on = readCtrlplSwitch(files, kDirectory, current);
    const std::string first = lines.empty() ? std::string("?") : lines[0];
    require(on == (first == "0" ? false : first == "1" ? true : current), "ctrlpl.txt says 0 or 1, or nothing");
  }
  for (const char* name : {"spam.txt", "mode.txt", "surveille.txt", "ctrlpl.txt"})
    require(files.contents(kDirectory + name) == bytes, "reading an exchange file leaves it as it is");
}

bool usableName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.size() > 32) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
  });
}

void checkListing(const Lines& lines) {
  if (lines.empty()) return;
  const std::string folder = "C:\\Listed";
  FakeFileSystem files;
  files.addDirectory(folder);
  static constexpr std::uint32_t kKinds[] = {attr::Archive, attr::ReadOnly, attr::Hidden, attr::System,
                                             attr::Directory, attr::Directory | attr::Hidden};
  std::set<std::string> plain, hiddenOrOther, subfolders;
  for (std::size_t i = 1; i < lines.size() && i <= 16; ++i) {
    const std::string& name = lines[i];
    if (!usableName(name) || plain.count(foldedAscii(name)) || hiddenOrOther.count(foldedAscii(name))) continue;
    const std::uint32_t kind = kKinds[static_cast<unsigned char>(name[0]) % 6];
    if (kind & attr::Directory) {
      files.addDirectory(folder + "\\" + name);
      if (kind & attr::Hidden) files.setAttributes(folder + "\\" + name, kind);
      else subfolders.insert(foldedAscii(name));
      hiddenOrOther.insert(foldedAscii(name));
    } else {
      files.addFile(folder + "\\" + name, "x", kind);
      (kind & (attr::Hidden | attr::System) ? hiddenOrOther : plain).insert(foldedAscii(name));
    }
  }
  auto sortedIgnoringCase = [](const std::vector<std::string>& names) {
    return std::is_sorted(names.begin(), names.end(),
                          [](const std::string& a, const std::string& b) { return foldedAscii(a) < foldedAscii(b); });
  };
  const std::string& mask = lines[0];
  // A mask that names a folder of its own ("sub\\*", "..") lists another folder, or none.
  const bool plainMask = !mask.empty() && mask.find_first_of("\\/") == std::string::npos &&
                         mask.find_first_not_of('.') != std::string::npos;
  for (const std::string& where : {folder, folder + "\\"}) {
    const auto listed = plainFileNames(files, where, mask);
    require(listed.has_value() || !plainMask, "an existing folder can be listed");
    const std::vector<std::string> names = listed.value_or(std::vector<std::string>{});
    require(sortedIgnoringCase(names), "plain files are listed in order of name");
    for (const std::string& name : names) require(plain.count(foldedAscii(name)) == 1, "only plain files are listed");
    const auto all = plainFileNames(files, where);
    require(all && all->size() == plain.size(), "every plain file is listed");
    const auto folders = subfolderNames(files, where);
    require(sortedIgnoringCase(folders), "folders are listed in order of name");
    require(folders.size() == subfolders.size(), "every folder that is not hidden is listed");
    for (const std::string& name : folders) require(subfolders.count(foldedAscii(name)) == 1, "only folders are listed");
  }
  const std::string withSlash = folderWithBackslash(mask);
  require(withSlash.empty() == mask.empty() && (mask.empty() || withSlash.back() == '\\'), "a folder ends in a backslash");
  require(folderWithBackslash(withSlash) == withSlash, "a folder with its backslash is kept");
}

}  // namespace
}  // namespace tg

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tg;
  static const char* const kCodes[] = {"FR", "DE", "GB", "ITA", "ESP", "fr", "", "EN"};
  fuzz::InputReader input(data, size);
  const std::string_view code = kCodes[input.byte() % 8];
  const std::string bytes(input.rest());
  const Lines lines = splitLines(bytes);
  checkLines(bytes, lines);
  FakeFileSystem files;
  files.addDirectory(kDirectory);
  files.addFile(kDirectory + "read.txt", bytes);
  require(readLines(files, kDirectory + "read.txt") == lines, "a file read gives its lines");
  checkLanguage(code, bytes, lines);
  checkExchangeFiles(bytes, lines);
  checkListing(lines);
  return 0;
}

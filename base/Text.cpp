#include "base/Text.h"

#include <algorithm>

namespace tg {

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
}  // namespace

std::string_view trimmedView(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string trimmed(std::string_view text) { return std::string(trimmedView(text)); }

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string foldedAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = foldAscii(c);
  return out;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

std::string replacedAll(std::string_view text, char from, char to) {
  std::string out(text);
  for (char& c : out)
    if (c == from) c = to;
  return out;
}

std::string without(std::string_view text, char c) {
  std::string out;
  out.reserve(text.size());
  for (char x : text)
    if (x != c) out += x;
  return out;
}

void sortIgnoringCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return foldedAscii(a) < foldedAscii(b); });
}

std::string folderWithBackslash(const std::string& folder) {
  if (folder.empty() || folder.back() == '\\') return folder;
  return folder + "\\";
}

}  // namespace tg

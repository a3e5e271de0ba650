#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tg {

// Removes leading and trailing blanks: spaces and control characters.
std::string trimmed(std::string_view text);
// The same part of the text, without a copy.
std::string_view trimmedView(std::string_view text);

// Letter case folding of the letters A to Z only; other bytes are left as they are,
// as the process and name comparisons of the suite require.
char foldAscii(char c);
std::string foldedAscii(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Every occurrence of `from` replaced by `to`.
std::string replacedAll(std::string_view text, char from, char to);
// The text without any occurrence of `c`.
std::string without(std::string_view text, char c);

// Sorts names in ascending order with the letter case of A to Z ignored.
void sortIgnoringCase(std::vector<std::string>& names);

// "C:\a" and "C:\a\" both give "C:\a\".
std::string folderWithBackslash(const std::string& folder);

}  // namespace tg

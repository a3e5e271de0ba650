#pragma once

#include <optional>
#include <string>

namespace tg::testing {

// The verdict of the independent XML parser xmllint on a document: empty when
// xmllint is not at hand (the test scripts install it, natively and for the
// Windows build, which runs the Linux program through wine), otherwise its
// error output, which is empty for a well-formed document.
std::optional<std::string> xmllintErrors(const std::string& document);

// What xmllint reads for an XPath expression, in UTF-8; empty when unavailable.
std::optional<std::string> xmllintXPath(const std::string& document, const std::string& expression);

}  // namespace tg::testing

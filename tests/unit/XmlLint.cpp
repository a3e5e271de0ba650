#include "unit/XmlLint.h"

// xmllint for the native build of the portable tests; the Windows build runs
// the same program through wine (tests/win32/XmlLintUnderWine.cpp).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace tg::testing {

namespace {

struct TempDocument {
  std::string path;
  explicit TempDocument(const std::string& bytes) {
    char name[] = "/tmp/tg-xmllint-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    path = name;
    std::ofstream(path, std::ios::binary) << bytes;
  }
  ~TempDocument() { std::remove(path.c_str()); }
};

std::optional<std::string> run(const std::string& command) {
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0) return std::nullopt;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

}  // namespace

std::optional<std::string> xmllintErrors(const std::string& document) {
  TempDocument file(document);
  return run("xmllint --noout '" + file.path + "' 2>&1");
}

std::optional<std::string> xmllintXPath(const std::string& document, const std::string& expression) {
  TempDocument file(document);
  auto out = run("xmllint --xpath \"" + expression + "\" '" + file.path + "' 2>/dev/null");
  if (out && !out->empty() && out->back() == '\n') out->pop_back();  // xmllint ends its answer with a line end
  return out;
}

}  // namespace tg::testing

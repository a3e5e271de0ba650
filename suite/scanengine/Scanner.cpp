#include "suite/scanengine/Scanner.h"

#include <charconv>

#include "base/Text.h"
#include "suite/common/EngineFiles.h"

namespace tg::suite {

Signatures parseSignatures(const Lines& lines) {
  Signatures signatures;
  for (const std::string& raw : lines) {
    const std::string line = trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    const std::string digest = line.substr(0, space);
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(digest.data(), digest.data() + digest.size(), value, 16);
    if (ec != std::errc() || end != digest.data() + digest.size()) continue;
    signatures[value] = space == std::string::npos ? "malware" : trimmed(line.substr(space + 1));
  }
  return signatures;
}

ScanReport scanFolders(FileSystem& files, const std::vector<std::string>& roots, const Signatures& signatures) {
  ScanReport report;
  report.roots = roots;
  for (const std::string& root : roots) {
    walkFiles(files, root, [&](const std::string& path, const FileEntry& entry) {
      ++report.filesExamined;
      if (entry.size > kLargestScannedFile) return true;
      const auto digest = fileDigest(files, path);
      if (!digest) {
        ++report.filesUnreadable;
        return true;
      }
      if (const auto it = signatures.find(*digest); it != signatures.end())
        report.findings.push_back({path, it->second});
      return true;
    });
  }
  return report;
}

Lines reportLines(const ScanReport& report, const std::string& modeName, const std::string& started,
                  const std::string& ended) {
  Lines lines;
  lines.push_back("Analyse " + modeName + " du " + started);
  for (const std::string& root : report.roots) lines.push_back("Dossier analys\xE9 : " + root);
  lines.push_back("Fichiers examin\xE9s : " + std::to_string(report.filesExamined));
  if (report.filesUnreadable) lines.push_back("Fichiers illisibles : " + std::to_string(report.filesUnreadable));
  lines.push_back("Menaces trouv\xE9" "es : " + std::to_string(report.findings.size()));
  for (const Finding& f : report.findings) lines.push_back(f.path + " : " + f.threat);
  lines.push_back("Fin de l'analyse : " + ended);
  return lines;
}

}  // namespace tg::suite

#include "pages/tools/StartupEntries.h"

#include <stdexcept>

#include "stores/PlainFiles.h"

namespace tg {

namespace {

constexpr const char* kAutoRun = "/autoRun";
constexpr std::size_t kAutoRunLength = 8;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool hasExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  const std::size_t slash = path.find_last_of("\\/");
  return dot != std::string::npos && (slash == std::string::npos || dot > slash);
}

// What a path tells of a program file: there, surely not there, or not known
// (its drive or share is not there now, or it cannot be looked into).
enum class Program { Exists, Missing, Unknown };

Program programAt(FileSystem& files, const std::string& path) {
  switch (files.presence(path)) {
    case Presence::Present: return isFile(files, path) ? Program::Exists : Program::Missing;  // a folder is no program
    case Presence::Absent: return Program::Missing;
    case Presence::Unknown: break;
  }
  return Program::Unknown;
}

Program programOf(Platform& platform, const std::string& path) {
  if (path.empty()) return Program::Missing;
  if (path.find_first_of("\\/:") == std::string::npos)
    return platform.processes.findProgram(path) ? Program::Exists : Program::Missing;
  const Program named = programAt(platform.files, path);
  if (named != Program::Missing || hasExtension(path)) return named;
  return programAt(platform.files, path + ".exe");
}

// Whether the command surely names no program: every reading of it leads to
// nothing on a drive or share that answers.
bool namesNoProgram(Platform& platform, const std::string& command) {
  for (const std::string& path : programReadings(command))
    if (programOf(platform, path) != Program::Missing) return false;
  return true;
}

}  // namespace

std::string withoutAutoRun(const std::string& command) {
  if (command.size() < kAutoRunLength || command.compare(command.size() - kAutoRunLength, kAutoRunLength, kAutoRun) != 0)
    return command;
  return command.substr(0, command.size() - std::min(command.size(), kAutoRunLength + 1));
}

std::vector<std::string> programReadings(const std::string& command) {
  const std::string text = trimmed(command);
  if (text.empty()) return {};
  if (text.front() == '"') {
    const std::size_t close = text.find('"', 1);
    return {text.substr(1, close == std::string::npos ? std::string::npos : close - 1)};
  }
  std::vector<std::string> readings;
  for (std::size_t at = text.find_first_of(" \t"); at != std::string::npos; at = text.find_first_of(" \t", at + 1))
    readings.push_back(text.substr(0, at));
  readings.push_back(text);
  return readings;
}

void CleanRunKey(Platform& platform) {
  Registry& registry = platform.registry;
  const auto names = registry.autorunNames();
  if (!names) throw std::runtime_error("cannot read the start-up entries");
  for (const std::string& name : *names) {
    const auto value = registry.readAutorun(name);
    if (!value) throw std::runtime_error("cannot read the start-up entry " + name);
    const std::string command = withoutAutoRun(*value);
    // A program that is only out of reach (an absent drive, an offline share,
    // a folder that cannot be read) keeps its entry.
    if (command.empty() || !namesNoProgram(platform, platform.processes.expandEnvironment(command))) continue;
    const auto still = registry.hasAutorun(name);
    if (!still) throw std::runtime_error("cannot read the start-up entry " + name);
    if (*still && !registry.deleteAutorun(name)) throw std::runtime_error("cannot delete the start-up entry " + name);
  }
}

}  // namespace tg

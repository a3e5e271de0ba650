#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace tg::testing {

// A process table that tests fill and read: what was started, what was ended.
class FakeProcesses : public Processes {
 public:
  struct Process {
    std::uint32_t pid = 0;
    std::string exeName;
    std::vector<std::string> modules;
    bool protectedFromTermination = false;
  };

  std::uint32_t add(const std::string& exeName, std::vector<std::string> modules = {}) {
    const std::uint32_t pid = nextPid_;
    nextPid_ += 4;
    table_.push_back({pid, exeName, std::move(modules), false});
    return pid;
  }
  void addWithPid(std::uint32_t pid, const std::string& exeName, std::vector<std::string> modules = {}) {
    table_.push_back({pid, exeName, std::move(modules), false});
  }
  void protect(std::uint32_t pid) {
    for (Process& p : table_)
      if (p.pid == pid) p.protectedFromTermination = true;
  }
  void failSnapshots(bool fail) { snapshotsFail_ = fail; }
  // Runs when a command line is started, as the started program would.
  std::function<bool(const std::string& commandLine)> onCreate;

  std::optional<std::vector<ProcessEntry>> snapshot() override {
    if (snapshotsFail_) return std::nullopt;
    std::vector<ProcessEntry> out;
    for (const Process& p : table_) out.push_back({p.pid, p.exeName});
    return out;
  }

  bool terminate(std::uint32_t pid) override {
    const auto it = std::find_if(table_.begin(), table_.end(), [&](const Process& p) { return p.pid == pid; });
    if (it == table_.end() || it->protectedFromTermination) return false;
    ended.push_back(it->exeName + "#" + std::to_string(pid));
    endedNames.push_back(it->exeName);
    table_.erase(it);
    return true;
  }

  std::optional<std::vector<std::string>> modules(std::uint32_t pid) override {
    for (const Process& p : table_)
      if (p.pid == pid) return p.modules;
    return std::nullopt;
  }

  bool createProcess(const std::string& commandLine, int showState) override {
    created.push_back(commandLine);
    createdShowStates.push_back(showState);
    return onCreate ? onCreate(commandLine) : true;
  }

  // %NAME% as Windows expands it: names ignore letter case, unknown ones stay.
  std::string expandEnvironment(const std::string& text) override {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
      const std::size_t open = text.find('%', at);
      const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
      if (close == std::string::npos) break;
      out += text.substr(at, open - at);
      const auto it = environment.find(folded(text.substr(open + 1, close - open - 1)));
      if (it != environment.end()) {
        out += it->second;
        at = close + 1;
      } else {
        out += text.substr(open, close - open);
        at = close;  // the closing % may open the next name
      }
    }
    return out + text.substr(at);
  }

  std::optional<std::string> findProgram(const std::string& name) override {
    for (const std::string& candidate : {name, name + ".exe"}) {
      const auto it = searchable.find(folded(candidate));
      if (it != searchable.end()) return it->second;
    }
    return std::nullopt;
  }

  std::string userName() override { return user; }
  std::string currentFolder() override { return current; }

  bool running(const std::string& exeName) const {
    return std::any_of(table_.begin(), table_.end(), [&](const Process& p) { return p.exeName == exeName; });
  }

  std::vector<std::string> ended;       // "name#pid", in order
  std::vector<std::string> endedNames;  // names only, in order
  std::vector<std::string> created;
  std::vector<int> createdShowStates;
  std::map<std::string, std::string> environment{{"systemroot", "C:\\Windows"}};  // names folded to lower case
  std::string user = "Jean";
  std::string current = "C:\\Program";
  std::map<std::string, std::string> searchable;  // folded program name -> where the search finds it

 private:
  static std::string folded(std::string text) {
    for (char& c : text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
  }
  std::vector<Process> table_;
  std::uint32_t nextPid_ = 1000;
  bool snapshotsFail_ = false;
};

}  // namespace tg::testing

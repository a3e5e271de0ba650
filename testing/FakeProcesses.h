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

  bool running(const std::string& exeName) const {
    return std::any_of(table_.begin(), table_.end(), [&](const Process& p) { return p.exeName == exeName; });
  }

  std::vector<std::string> ended;       // "name#pid", in order
  std::vector<std::string> endedNames;  // names only, in order
  std::vector<std::string> created;
  std::vector<int> createdShowStates;

 private:
  std::vector<Process> table_;
  std::uint32_t nextPid_ = 1000;
  bool snapshotsFail_ = false;
};

}  // namespace tg::testing

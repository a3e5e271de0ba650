#pragma once

#include "platform/Processes.h"

namespace tg::win32 {

// Processes through the tool-help snapshots and the single-byte entries.
class Win32Processes : public Processes {
 public:
  std::optional<std::vector<ProcessEntry>> snapshot() override;
  bool terminate(std::uint32_t pid) override;
  std::optional<std::vector<std::string>> modules(std::uint32_t pid) override;
  bool createProcess(const std::string& commandLine, int showState) override;
  std::string expandEnvironment(const std::string& text) override;
  std::optional<std::string> findProgram(const std::string& name) override;
  std::string userName() override;
  std::string currentFolder() override;
};

}  // namespace tg::win32

#pragma once

#include "platform/Registry.h"

namespace tg::win32 {

class Win32Registry : public Registry {
 public:
  std::optional<std::string> readAutorun(const std::string& name) override;
  bool writeAutorun(const std::string& name, const std::string& value) override;
  std::optional<std::vector<std::string>> autorunNames() override;
  std::optional<bool> hasAutorun(const std::string& name) override;
  bool deleteAutorun(const std::string& name) override;
};

}  // namespace tg::win32

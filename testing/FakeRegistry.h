#pragma once

#include <map>

#include "platform/Registry.h"

namespace tg::testing {

class FakeRegistry : public Registry {
 public:
  std::optional<std::string> readAutorun(const std::string& name) override {
    if (!keyOpens) return std::nullopt;
    const auto it = autorun.find(name);
    return it == autorun.end() ? std::string() : it->second;
  }
  bool writeAutorun(const std::string& name, const std::string& value) override {
    if (!keyOpens) return false;
    autorun[name] = value;
    ++writes;
    return true;
  }

  std::map<std::string, std::string> autorun;
  int writes = 0;
  bool keyOpens = true;
};

}  // namespace tg::testing

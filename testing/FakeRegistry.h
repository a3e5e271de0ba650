#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/Registry.h"

namespace tg::testing {

// The Run key as a list of values in their order; a value without text (a
// number, say) is kept apart.
class FakeRegistry : public Registry {
 public:
  std::optional<std::string> readAutorun(const std::string& name) override {
    if (!keyOpens) return std::nullopt;
    const auto it = autorun.find(name);
    return it == autorun.end() ? std::string() : it->second;
  }
  bool writeAutorun(const std::string& name, const std::string& value) override {
    if (!keyOpens) return false;
    if (!autorun.count(name)) order_.push_back(name);
    autorun[name] = value;
    ++writes;
    return true;
  }
  std::optional<std::vector<std::string>> autorunNames() override {
    if (!keyOpens) return std::nullopt;
    std::vector<std::string> names;
    for (const std::string& name : order_)
      if (autorun.count(name) || numbers.count(name)) names.push_back(name);
    for (const auto& [name, value] : autorun)
      if (std::find(order_.begin(), order_.end(), name) == order_.end()) names.push_back(name);
    return names;
  }
  std::optional<bool> hasAutorun(const std::string& name) override {
    if (!keyOpens) return std::nullopt;
    return autorun.count(name) || numbers.count(name);
  }
  bool deleteAutorun(const std::string& name) override {
    if (!keyOpens || refuseDeletes) return false;
    deleted.push_back(name);
    return autorun.erase(name) + numbers.erase(name) > 0;
  }
  // A value that holds a number rather than a text.
  void addNumber(const std::string& name) {
    numbers.insert(name);
    order_.push_back(name);
  }

  std::map<std::string, std::string> autorun;  // text values
  std::set<std::string> numbers;
  std::vector<std::string> deleted;
  int writes = 0;
  bool keyOpens = true;
  bool refuseDeletes = false;

 private:
  std::vector<std::string> order_;  // values written through writeAutorun, in order
};

}  // namespace tg::testing

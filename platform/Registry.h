#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tg {

// The current user's autorun key, Software\Microsoft\Windows\CurrentVersion\Run,
// opened or created as needed. Every call says when the key cannot be opened.
struct Registry {
  // A text value: "" when the value is missing or holds no text.
  virtual std::optional<std::string> readAutorun(const std::string& name) = 0;
  virtual bool writeAutorun(const std::string& name, const std::string& value) = 0;
  // The names of the key's values, in the registry's order.
  virtual std::optional<std::vector<std::string>> autorunNames() = 0;
  // Whether the key holds a value of that name, whatever its type.
  virtual std::optional<bool> hasAutorun(const std::string& name) = 0;
  // False when the key cannot be opened or the value cannot be deleted.
  virtual bool deleteAutorun(const std::string& name) = 0;
  virtual ~Registry() = default;
};

}  // namespace tg

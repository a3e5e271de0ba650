#pragma once

#include <optional>
#include <string>

namespace tg {

// The current user's autorun key, Software\Microsoft\Windows\CurrentVersion\Run.
struct Registry {
  // A text value of the key, opened or created as needed: empty when the key
  // cannot be opened, "" when the value is missing.
  virtual std::optional<std::string> readAutorun(const std::string& name) = 0;
  virtual bool writeAutorun(const std::string& name, const std::string& value) = 0;
  virtual ~Registry() = default;
};

}  // namespace tg

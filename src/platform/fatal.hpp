#pragma once
// A fatal error: the game reports it in one line and ends. Thrown for missing or
// broken data files and failed platform calls; nothing in the game catches it
// except the entry point.
#include <stdexcept>
#include <string>

namespace kt {

class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace kt

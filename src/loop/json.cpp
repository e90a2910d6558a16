#include "loop/json.hpp"

#include <cmath>
#include <cstdio>

namespace kt {

JsonWriter& JsonWriter::Field(std::string_view key, double v) {
  Key(key);
  if (!std::isfinite(v)) {
    out_ << "null";
  } else {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    out_ << buf;
  }
  return *this;
}

void JsonWriter::String(std::string_view s) {
  out_ << '"';
  for (char c : s) {
    if (c == '"' || c == '\\') {
      out_ << '\\' << c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out_ << buf;
    } else {
      out_ << c;
    }
  }
  out_ << '"';
}

}  // namespace kt

#pragma once
// A small JSON writer for the state dump and the trace.
#include <cstdint>
#include <ostream>
#include <string_view>

namespace kt {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  JsonWriter& BeginObject(std::string_view key = {}) { return Open(key, '{'); }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray(std::string_view key = {}) { return Open(key, '['); }
  JsonWriter& EndArray() { return Close(']'); }

  JsonWriter& Field(std::string_view key, int64_t v) {
    Key(key);
    out_ << v;
    return *this;
  }
  JsonWriter& Field(std::string_view key, int32_t v) { return Field(key, int64_t{v}); }
  JsonWriter& Field(std::string_view key, uint32_t v) { return Field(key, int64_t{v}); }
  JsonWriter& Field(std::string_view key, double v);
  JsonWriter& Field(std::string_view key, bool v) {
    Key(key);
    out_ << (v ? "true" : "false");
    return *this;
  }
  JsonWriter& Field(std::string_view key, std::string_view v) {
    Key(key);
    String(v);
    return *this;
  }
  JsonWriter& Field(std::string_view key, const char* v) { return Field(key, std::string_view(v)); }
  // An array element.
  JsonWriter& Value(int64_t v) { return Field({}, v); }
  JsonWriter& Value(std::string_view v) { return Field({}, v); }

 private:
  JsonWriter& Open(std::string_view key, char c) {
    Key(key);
    out_ << c;
    first_ = true;
    return *this;
  }
  JsonWriter& Close(char c) {
    out_ << c;
    first_ = false;
    return *this;
  }
  void Key(std::string_view key) {
    if (!first_) out_ << ',';
    first_ = false;
    if (!key.empty()) {
      String(key);
      out_ << ':';
    }
  }
  void String(std::string_view s);

  std::ostream& out_;
  bool first_ = true;
};

}  // namespace kt

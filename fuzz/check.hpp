#pragma once
// What every fuzz target demands beyond "no crash": a refusal is one line of
// printable text that starts with the file's name. A broken promise aborts, so
// libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kt::fuzz {

inline void Require(bool ok, const char* what, const std::string& detail = "") {
  if (ok) return;
  std::fprintf(stderr, "broken promise: %s %s\n", what, detail.c_str());
  std::abort();
}

inline void CheckMessage(const std::string& message, const std::string& name) {
  Require(message.starts_with(name + ": "), "the message does not start with the file's name:", message);
  for (const char c : message)
    Require(c >= 0x20 && c < 0x7f, "the message holds a byte that is not printable text:", message);
}

// KT_FUZZ_SHOW=1 prints each input's outcome, for looking at the seed corpus.
inline void Show(const std::string& outcome) {
  static const bool show = std::getenv("KT_FUZZ_SHOW") != nullptr;
  if (show) std::fprintf(stderr, "%s\n", outcome.c_str());
}

}  // namespace kt::fuzz

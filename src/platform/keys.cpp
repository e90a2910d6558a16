#include "platform/keys.hpp"

namespace kt {

namespace {

struct Named {
  std::string_view name;
  uint8_t code;
};
constexpr Named kNamed[] = {
    {"Escape", vk::Escape}, {"Enter", vk::Enter}, {"Space", vk::Space}, {"Left", vk::Left},
    {"Right", vk::Right},   {"Up", vk::Up},       {"Down", vk::Down},   {"F1", vk::F1},
    {"F6", vk::F6},         {"FocusLost", vk::FocusLost},
};
constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

}  // namespace

std::optional<uint8_t> KeyCodeFromName(std::string_view name) {
  for (const Named& n : kNamed)
    if (n.name == name) return n.code;
  if (name.size() == 1) {
    const char c = name[0];
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return vk::Letter(c);
  }
  return std::nullopt;
}

std::string_view KeyName(uint8_t code) {
  for (const Named& n : kNamed)
    if (n.code == code) return n.name;
  if (code >= 'A' && code <= 'Z') return kLetters.substr(code - 'A', 1);
  return {};
}

}  // namespace kt

// The host code page is UTF-8: conversion only replaces what is not valid UTF-8.
#include <cstdint>

#include "platform/native.h"

namespace platform {

namespace {

struct SequenceRule {
  std::size_t length;  // 0: the byte cannot begin a sequence
  std::uint8_t second_low, second_high;
};

// The accepted range of the second byte excludes overlong forms, surrogates and code
// points beyond U+10FFFF.
SequenceRule RuleFor(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// Length of the valid sequence at `at`, or 0 with `invalid_length` set to the bytes that
// form its longest malformed start (at least one), which become one "?".
std::size_t ValidSequenceLength(std::string_view text, std::size_t at,
                                std::size_t& invalid_length) {
  const auto lead = static_cast<std::uint8_t>(text[at]);
  if (lead < 0x80) return 1;
  const SequenceRule rule = RuleFor(lead);
  std::size_t length = 1;
  invalid_length = 1;
  if (rule.length == 0) return 0;
  for (; length < rule.length; ++length) {
    if (at + length >= text.size()) return 0;
    const auto next = static_cast<std::uint8_t>(text[at + length]);
    const bool fits = length == 1 ? next >= rule.second_low && next <= rule.second_high
                                  : next >= 0x80 && next <= 0xBF;
    if (!fits) return 0;
    invalid_length = length + 1;
  }
  return length;
}

// Both directions are the same here: the system code page is UTF-8 itself.
std::string ReplaceMalformedSequences(std::string_view utf8) {
  std::string converted;
  converted.reserve(utf8.size());
  std::size_t at = 0;
  while (at < utf8.size()) {
    std::size_t invalid_length = 0;
    const std::size_t length = ValidSequenceLength(utf8, at, invalid_length);
    if (length == 0) {
      converted += '?';
      at += invalid_length;
    } else {
      converted.append(utf8.substr(at, length));
      at += length;
    }
  }
  return converted;
}

}  // namespace

std::string Utf8ToSystemCodePage(std::string_view utf8, bool* lossy) {
  if (lossy != nullptr) *lossy = false;
  return ReplaceMalformedSequences(utf8);
}

std::string SystemCodePageToUtf8(std::string_view text) { return ReplaceMalformedSequences(text); }

}  // namespace platform

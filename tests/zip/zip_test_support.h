// Contents and failure checks shared by the writer's and the reader's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codec_support.h"

namespace zip::test_support {

// Prose-like bytes, which deflate well.
inline std::string Text(std::size_t size, std::uint32_t seed = 1) {
  const std::vector<std::uint8_t> bytes = codec_support::TextBytes(size, seed);
  return {bytes.begin(), bytes.end()};
}

// Bytes that do not deflate.
inline std::string Random(std::size_t size, std::uint32_t seed = 1) {
  const std::vector<std::uint8_t> bytes = codec_support::RandomBytes(size, seed);
  return {bytes.begin(), bytes.end()};
}

// The message of the `Failure` that `action` raises; a test failure when it raises none.
template <typename Failure>
std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Failure& failure) {
    return failure.Message();
  }
  ADD_FAILURE() << "nothing raised";
  return {};
}

}  // namespace zip::test_support

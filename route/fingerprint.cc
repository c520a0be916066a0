#include "route/fingerprint.h"

#include <charconv>
#include <cstring>

namespace route {
namespace {

bool ParseNumber(std::string_view text, uint64_t& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

Fingerprint Fingerprint::Of(std::string_view bytes) {
  Fingerprint fingerprint{bytes.size(), 0x9E3779B97F4A7C15ull ^ bytes.size()};
  uint64_t& hash = fingerprint.hash;
  auto mix = [&hash](uint64_t word) {
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
  };
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    mix(word);
  }
  uint64_t last = 0;
  std::memcpy(&last, bytes.data() + i, bytes.size() - i);
  mix(last);
  return fingerprint;
}

std::string Fingerprint::Text() const { return std::to_string(size) + ":" + std::to_string(hash); }

std::optional<Fingerprint> Fingerprint::Parse(std::string_view text) {
  const size_t colon = text.find(':');
  Fingerprint fingerprint;
  if (colon == std::string_view::npos || !ParseNumber(text.substr(0, colon), fingerprint.size) ||
      !ParseNumber(text.substr(colon + 1), fingerprint.hash)) {
    return std::nullopt;
  }
  return fingerprint;
}

}  // namespace route

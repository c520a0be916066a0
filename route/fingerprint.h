// What tells one text or file from another without keeping it: its size
// and a 64-bit hash of its bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace route {

struct Fingerprint {
  uint64_t size = 0;
  uint64_t hash = 0;

  static Fingerprint Of(std::string_view bytes);
  // "<size>:<hash>", as a journal line holds it.
  std::string Text() const;
  static std::optional<Fingerprint> Parse(std::string_view text);

  friend bool operator==(const Fingerprint&, const Fingerprint&) = default;
};

}  // namespace route

#include "ops/name_set.h"

#include <algorithm>
#include <cstring>

namespace ops {
uint32_t NameSet::Hash(std::string_view folded) {
  // Eight bytes at a time, each word mixed in by a multiplication: shape
  // names are short, and every FileName of a route is hashed.
  auto mix = [](uint64_t h) {
    h *= 0x9e3779b97f4a7c15u;
    return h ^ (h >> 29);
  };
  const size_t size = folded.size();
  uint64_t h = mix(size);
  auto word_at = [&folded](size_t at) {
    uint64_t word;
    std::memcpy(&word, folded.data() + at, 8);
    return word;
  };
  if (size >= 8) {
    for (size_t at = 0; at + 8 <= size; at += 8) h = mix(h ^ word_at(at));
    // The last bytes as the last eight, some of them taken twice.
    if (size % 8 != 0) h = mix(h ^ word_at(size - 8));
  } else {
    uint64_t word = 0;
    for (size_t i = 0; i < size; ++i)
      word |= uint64_t{static_cast<unsigned char>(folded[i])} << (8 * i);
    h = mix(h ^ word);
  }
  h = mix(h);
  return static_cast<uint32_t>(h ^ (h >> 32));
}

NameSet::NameSet(size_t expected) {
  size_t size = 64;
  while (size * 3 < expected * 4) size *= 2;
  slots_.resize(size);
}

namespace {

// Whether the `size` (at most 24) bytes at `a` and `b` are the same, read
// in words that overlap where the size is no multiple of eight, rather
// than by a call that costs as much as the look-up.
bool SameBytes(const char* a, const char* b, size_t size) {
  auto differ = [&](size_t at, auto word) {
    std::memcpy(&word, a + at, sizeof word);
    decltype(word) other;
    std::memcpy(&other, b + at, sizeof other);
    return word ^ other;
  };
  if (size >= 8) {
    return (differ(0, uint64_t{}) | differ(std::min<size_t>(8, size - 8), uint64_t{}) |
            differ(size - 8, uint64_t{})) == 0;
  }
  if (size >= 4) return (differ(0, uint32_t{}) | differ(size - 4, uint32_t{})) == 0;
  return std::memcmp(a, b, size) == 0;
}

}  // namespace

size_t NameSet::Probe(std::string_view name, uint32_t hash) const {
  // The head is compared where the name stands: copied to a padded buffer
  // first, it would be read back in words before the small writes that
  // made it had landed, which stalls every look-up.
  const size_t head = std::min(name.size(), kHead);
  const size_t mask = slots_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const Slot& slot = slots_[at];
    if (slot.number == 0) return at;
    if (slot.hash != hash || slot.length != name.size() ||
        !SameBytes(slot.head, name.data(), head)) {
      continue;
    }
    if (name.size() <= kHead ||
        std::string_view(names_).substr(starts_[slot.number - 1], name.size()) == name) {
      return at;
    }
  }
}

size_t NameSet::Insert(std::string_view folded, uint32_t hash) {
  Slot& slot = slots_[Probe(folded, hash)];
  if (slot.number != 0) return slot.number - 1;
  names_ += folded;
  starts_.push_back(names_.size());
  slot.hash = hash;
  slot.number = static_cast<uint32_t>(size());
  slot.length = static_cast<uint32_t>(folded.size());
  std::memcpy(slot.head, folded.data(), std::min(folded.size(), kHead));
  // At most three quarters full, so that a probe meets a free slot soon.
  if (size() * 4 > slots_.size() * 3) Grow();
  return size() - 1;
}

size_t NameSet::Find(std::string_view folded, uint32_t hash) const {
  const Slot& slot = slots_[Probe(folded, hash)];
  return slot.number == 0 ? npos : slot.number - 1;
}

void NameSet::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.number == 0) continue;
    size_t at = slot.hash & mask;
    while (slots_[at].number != 0) at = (at + 1) & mask;
    slots_[at] = slot;
  }
}

}  // namespace ops

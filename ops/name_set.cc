#include "ops/name_set.h"

namespace ops {

uint32_t NameSet::Hash(std::string_view folded) {
  const size_t size = folded.size();
  Hasher hasher(size);
  auto word_at = [&folded](size_t at) {
    uint64_t word;
    std::memcpy(&word, folded.data() + at, 8);
    return word;
  };
  if (size >= 8) {
    for (size_t at = 0; at + 8 <= size; at += 8) hasher.Add(word_at(at));
    if (size % 8 != 0) hasher.Add(word_at(size - 8));
  } else {
    uint64_t word = 0;
    for (size_t i = 0; i < size; ++i)
      word |= uint64_t{static_cast<unsigned char>(folded[i])} << (8 * i);
    hasher.Add(word);
  }
  return hasher.Hash();
}

NameSet::NameSet(size_t expected) {
  size_t size = 64;
  while (size * 3 < expected * 4) size *= 2;
  slots_.resize(size);
  mask_ = size - 1;
}

bool NameSet::Rest(size_t n, std::string_view name) const {
  return std::string_view(names_).substr(starts_[n], name.size()) == name;
}

size_t NameSet::Add(size_t at, std::string_view folded, uint32_t hash) {
  Slot& slot = slots_[at];
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

void NameSet::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.number == 0) continue;
    size_t at = slot.hash & mask_;
    while (slots_[at].number != 0) at = (at + 1) & mask_;
    slots_[at] = slot;
  }
}

}  // namespace ops

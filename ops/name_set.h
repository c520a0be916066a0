// Folded shape names, numbered in the order they were first added. The
// unused search looks up every FileName of every world file here, so the
// table is one flat array probed without division whose slots hold the
// names' first characters: a look-up reads one slot, seldom more, and is
// made where it is asked for, without a call.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace ops {

class NameSet {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  // Room for about `expected` names before the table grows.
  explicit NameSet(size_t expected = 0);

  // The number of a name (folded by platform::FoldCase), added when new.
  size_t Insert(std::string_view folded) { return Insert(folded, Hash(folded)); }
  // The same for a name whose Hash is known.
  size_t Insert(std::string_view folded, uint32_t hash) {
    const size_t at = Probe(folded, hash);
    return slots_[at].number != 0 ? slots_[at].number - 1 : Add(at, folded, hash);
  }
  // The number of a name, or npos.
  size_t Find(std::string_view folded) const { return Find(folded, Hash(folded)); }
  bool Contains(std::string_view folded) const { return Find(folded) != npos; }
  size_t size() const { return starts_.size() - 1; }
  // Name number n.
  std::string_view operator[](size_t n) const {
    return std::string_view(names_).substr(starts_[n], starts_[n + 1] - starts_[n]);
  }

  // A name's hash, taken eight bytes at a time, each word mixed in by a
  // multiplication: shape names are short, and every FileName of a route
  // is hashed. The words are those at 0, 8, 16 and on, and, when the size
  // is no multiple of eight, the last eight bytes, some of them taken twice;
  // a name shorter than eight is one word, its bytes in order and then
  // zeros. Whoever makes a name a word at a time can hash it as it goes.
  class Hasher {
   public:
    explicit Hasher(size_t size) : h_(Mix(size)) {}
    void Add(uint64_t word) { h_ = Mix(h_ ^ word); }
    uint32_t Hash() const {
      const uint64_t h = Mix(h_);
      return static_cast<uint32_t>(h ^ (h >> 32));
    }

   private:
    static uint64_t Mix(uint64_t h) {
      h *= 0x9e3779b97f4a7c15u;
      return h ^ (h >> 29);
    }
    uint64_t h_;
  };
  static uint32_t Hash(std::string_view folded);

  // Looking up many names at once: each one's slot is fetched into the
  // cache ahead of its look-up, so that the waits overlap.
  void Prefetch(uint32_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }
  size_t Find(std::string_view folded, uint32_t hash) const {
    const Slot& slot = slots_[Probe(folded, hash)];
    return slot.number == 0 ? npos : slot.number - 1;
  }

 private:
  static constexpr size_t kHead = 20;
  struct alignas(32) Slot {
    uint32_t hash = 0;
    uint32_t number = 0;  // the name's number + 1; 0 for a free slot
    uint32_t length = 0;
    char head[kHead] = {};  // the name, or its start when it is longer
  };

  // Whether the `size` (at most 24) bytes at `a` and `b` are the same, read
  // in words that overlap where the size is no multiple of eight.
  static bool SameBytes(const char* a, const char* b, size_t size) {
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

  // The slot holding the name, or the free one where it belongs. The head
  // is compared where the name stands: copied to a padded buffer first, it
  // would be read back in words before the small writes that made it had
  // landed, which stalls every look-up.
  size_t Probe(std::string_view name, uint32_t hash) const {
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.number == 0) return at;
      if (slot.hash == hash && slot.length == name.size() &&
          SameBytes(slot.head, name.data(), std::min(name.size(), kHead)) &&
          (name.size() <= kHead || Rest(slot.number - 1, name))) {
        return at;
      }
    }
  }
  // Whether name number n, whose head is the name's, is the name.
  bool Rest(size_t n, std::string_view name) const;
  // Adds the name in the free slot `at`; its number.
  size_t Add(size_t at, std::string_view folded, uint32_t hash);
  void Grow();

  std::vector<Slot> slots_;
  size_t mask_ = 0;                   // slots_.size() - 1
  std::string names_;                 // every name, one after another
  std::vector<size_t> starts_ = {0};  // name n is names_[starts_[n], starts_[n + 1])
};

}  // namespace ops

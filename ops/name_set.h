// Folded shape names, numbered in the order they were first added. The
// unused search looks up every FileName of every world file here, so the
// table is one flat array probed without division whose slots hold the
// names' first characters: a look-up reads one slot, seldom more.
#pragma once

#include <cstdint>
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
  size_t Insert(std::string_view folded, uint32_t hash);
  // The number of a name, or npos.
  size_t Find(std::string_view folded) const { return Find(folded, Hash(folded)); }
  bool Contains(std::string_view folded) const { return Find(folded) != npos; }
  size_t size() const { return starts_.size() - 1; }
  // Name number n.
  std::string_view operator[](size_t n) const {
    return std::string_view(names_).substr(starts_[n], starts_[n + 1] - starts_[n]);
  }

  // Looking up many names at once: each one's slot is fetched into the
  // cache ahead of its look-up, so that the waits overlap.
  static uint32_t Hash(std::string_view folded);
  void Prefetch(uint32_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }
  size_t Find(std::string_view folded, uint32_t hash) const;

 private:
  static constexpr size_t kHead = 20;
  struct alignas(32) Slot {
    uint32_t hash = 0;
    uint32_t number = 0;  // the name's number + 1; 0 for a free slot
    uint32_t length = 0;
    char head[kHead] = {};  // the name, or its start when it is longer
  };
  // The slot holding the name, or the free one where it belongs.
  size_t Probe(std::string_view name, uint32_t hash) const;
  void Grow();

  std::vector<Slot> slots_;
  std::string names_;                 // every name, one after another
  std::vector<size_t> starts_ = {0};  // name n is names_[starts_[n], starts_[n + 1])
};

}  // namespace ops

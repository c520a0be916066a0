#include "demo/three_ds.h"

#include "demo/little_endian.h"

namespace standin {

namespace {

// A chunk is a little-endian uint16 id and a uint32 length that counts the
// 6-byte header, followed by its data and sub-chunks.
constexpr uint16_t kMain = 0x4D4D;
constexpr uint16_t kVersion = 0x0002;
constexpr uint16_t kEditor = 0x3D3D;
constexpr uint16_t kMeshVersion = 0x3D3E;
constexpr uint16_t kMaterial = 0xAFFF;
constexpr uint16_t kMaterialName = 0xA000;
constexpr uint16_t kTextureMap = 0xA200;
constexpr uint16_t kMapFileName = 0xA300;
constexpr size_t kHeader = 6;
// Real files nest four levels deep; anything far deeper is not a model.
constexpr int kMaxDepth = 32;

std::string Chunk(uint16_t id, const std::string& body) {
  std::string out;
  PutLe(out, id, 2);
  PutLe(out, static_cast<uint32_t>(body.size() + kHeader), 4);
  return out + body;
}

std::string CString(const std::string& text) { return text + '\0'; }

bool IsContainer(uint16_t id) {
  return id == kMain || id == kEditor || id == kMaterial || id == kTextureMap;
}

// Walks the chunks filling [begin, end), the data of a chunk `parent`, and
// collects the file names of texture maps.
bool Walk(std::string_view bytes, size_t begin, size_t end, uint16_t parent, int depth,
          std::vector<std::string>& names) {
  if (depth > kMaxDepth) return false;
  size_t at = begin;
  while (at < end) {
    if (end - at < kHeader) return false;
    uint16_t id = static_cast<uint16_t>(GetLe(bytes, at, 2));
    uint32_t length = GetLe(bytes, at + 2, 4);
    if (length < kHeader || length > end - at) return false;
    size_t data = at + kHeader;
    size_t next = at + length;
    if (IsContainer(id)) {
      if (!Walk(bytes, data, next, id, depth + 1, names)) return false;
    } else if (id == kMapFileName && parent == kTextureMap) {
      std::string_view text = bytes.substr(data, next - data);
      names.emplace_back(text.substr(0, text.find('\0')));
    }
    at = next;
  }
  return true;
}

}  // namespace

std::string Make3ds(const std::vector<std::string>& texture_names) {
  std::string version;
  PutLe(version, 3, 4);
  std::string editor = Chunk(kMeshVersion, version);
  for (size_t i = 0; i < texture_names.size(); ++i) {
    std::string map = Chunk(kMapFileName, CString(texture_names[i]));
    std::string material = Chunk(kMaterialName, CString("MAT" + std::to_string(i))) +
                           Chunk(kTextureMap, map);
    editor += Chunk(kMaterial, material);
  }
  return Chunk(kMain, Chunk(kVersion, version) + Chunk(kEditor, editor));
}

std::optional<std::vector<std::string>> ReadTextureNames(std::string_view bytes) {
  if (bytes.size() < kHeader || GetLe(bytes, 0, 2) != kMain) return std::nullopt;
  uint32_t length = GetLe(bytes, 2, 4);
  if (length < kHeader || length > bytes.size()) return std::nullopt;
  std::vector<std::string> names;
  if (!Walk(bytes, 0, length, 0, 0, names)) return std::nullopt;
  return names;
}

}  // namespace standin

// Text rules of Windows: letter case by the system's own tables, the ones
// NTFS and the shell use, and 8-bit text that is not UTF-8 read in the
// system's ANSI code page.
#include "platform/win32_api.h"

#include "platform/text.h"
#include "platform/utf8.h"
#include "platform/win32_wide.h"

namespace platform {
namespace {

// The length of the valid UTF-8 that starts the text.
size_t ValidPrefix(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  size_t pos = 0;
  char32_t c;
  while (pos < text.size()) {
    size_t len = DecodeUtf8(bytes + pos, text.size() - pos, c);
    if (len == 0) break;
    pos += len;
  }
  return pos;
}

std::string MapAscii(std::string_view text, DWORD flags) {
  std::string out(text);
  for (char& c : out) {
    if ((flags & LCMAP_UPPERCASE) && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if ((flags & LCMAP_LOWERCASE) && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string MapValid(std::string_view text, DWORD flags) {
  if (IsAscii(text)) return MapAscii(text, flags);
  std::wstring wide = Wide(text);
  // Case mappings keep the count of UTF-16 units.
  std::wstring mapped(wide.size(), L'\0');
  if (LCMapStringEx(LOCALE_NAME_INVARIANT, flags, wide.data(), static_cast<int>(wide.size()),
                    mapped.data(), static_cast<int>(mapped.size()), nullptr, nullptr, 0) == 0) {
    return std::string(text);
  }
  return Narrow(mapped);
}

// Maps the runs of valid UTF-8; other bytes stay as they are.
std::string MapCase(std::string_view text, DWORD flags) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    size_t valid = ValidPrefix(text);
    out += MapValid(text.substr(0, valid), flags);
    if (valid < text.size()) out += text[valid++];
    text.remove_prefix(valid);
  }
  return out;
}

// CompareStringOrdinal ignoring case: the order NTFS keeps names in. Text
// that is not UTF-8 is compared by its upper-case bytes instead.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) {
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : int{c}; };
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
      if (upper(a[i]) != upper(b[i])) return upper(a[i]) < upper(b[i]) ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() == b.size() ? 0 : 1;
  }
  if (ValidPrefix(a) == a.size() && ValidPrefix(b) == b.size()) {
    std::wstring wa = Wide(a), wb = Wide(b);
    int result = CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                      static_cast<int>(wb.size()), TRUE);
    if (result != 0) return result - CSTR_EQUAL;
  }
  std::string ua = MapCase(a, LCMAP_UPPERCASE), ub = MapCase(b, LCMAP_UPPERCASE);
  return ua < ub ? -1 : ua == ub ? 0 : 1;
}

}  // namespace

std::string EightBitToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return Narrow(wide);
}

std::string LowerCase(std::string_view text) {
  return MapCase(text, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
}

std::string FoldCase(std::string_view text) {
  return MapCase(MapCase(text, LCMAP_UPPERCASE), LCMAP_LOWERCASE);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a == b) return true;
  return CompareIgnoringCase(a, b) == 0;
}

bool LessIgnoreCase(std::string_view a, std::string_view b) {
  int order = CompareIgnoringCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

}  // namespace platform

#include "platform/win32_wide.h"

#include <cstring>

#include "platform/text.h"

namespace platform {

std::wstring Wide(std::string_view text) {
  const std::string bytes = Utf8ToUtf16Le(text);
  std::wstring out(bytes.size() / 2, L'\0');
  std::memcpy(out.data(), bytes.data(), out.size() * sizeof(wchar_t));
  return out;
}

std::string Narrow(std::wstring_view text) {
  return Utf16LeToUtf8(std::string_view(reinterpret_cast<const char*>(text.data()),
                                        text.size() * sizeof(wchar_t)));
}

}  // namespace platform

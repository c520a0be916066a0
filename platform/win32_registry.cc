#include "platform/win32_registry.h"

#include "platform/win32_api.h"
#include "platform/win32_wide.h"

namespace platform {

std::optional<std::string> Win32Registry::MachineText(const std::string& key,
                                                      const std::string& value) const {
  const std::wstring key_name = Wide(key);
  const std::wstring value_name = Wide(value);
  // A 32-bit installer's keys lie in the 32-bit view, which 64-bit Windows
  // keeps under WOW6432Node; the 64-bit view is the only one elsewhere.
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY opened;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_name.c_str(), 0, KEY_QUERY_VALUE | view, &opened) !=
        ERROR_SUCCESS) {
      continue;
    }
    // A string that may be expanded comes back expanded (as REG_SZ).
    DWORD bytes = 0;
    std::wstring text;
    LSTATUS status =
        RegGetValueW(opened, nullptr, value_name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (status == ERROR_SUCCESS) {
      text.resize(bytes / sizeof(wchar_t) + 1);
      bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
      status = RegGetValueW(opened, nullptr, value_name.c_str(), RRF_RT_REG_SZ, nullptr,
                            text.data(), &bytes);
    }
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS) continue;
    text.resize(wcsnlen(text.c_str(), text.size()));
    return Narrow(text);
  }
  return std::nullopt;
}

}  // namespace platform

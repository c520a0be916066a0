// A real Windows program for the test of tools started through Wine: prints
// its working folder and its arguments as Windows split them, then as many
// filler bytes as its first argument asks for, in UTF-8.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

void Print(const std::wstring& text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t folder[MAX_PATH];
  Print(std::wstring(folder, GetCurrentDirectoryW(MAX_PATH, folder)) + L"\n");
  for (int i = 1; i < argc; ++i) Print(L"[" + std::wstring(argv[i]) + L"]");
  Print(L"\n");
  long filler = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 0;
  const std::wstring line(63, L'x');
  for (long written = 0; written < filler; written += 64) Print(line + L"\n");
  return 3;
}

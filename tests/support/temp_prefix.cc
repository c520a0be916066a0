#include "tests/support/temp_prefix.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "platform/text.h"

#ifdef _WIN32
#include "platform/win32_api.h"
#include "platform/win32_handle.h"
#endif

namespace fs = std::filesystem;

namespace test_support {
namespace {

#ifdef _WIN32

// A new folder in the system's temporary folder, by the name its folder
// gives it back (letter case, long names), so that it matches the paths the
// stand-in tools report.
fs::path MakeTempFolder() {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = fs::temp_directory_path() / ("rastolin-test-" + std::to_string(random()));
    if (!CreateDirectoryW(folder.c_str(), nullptr)) continue;
    platform::Handle handle(CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                        nullptr));
    wchar_t path[MAX_PATH * 2];
    DWORD size = GetFinalPathNameByHandleW(handle.get(), path, MAX_PATH * 2, 0);
    std::wstring_view text(path, size < MAX_PATH * 2 ? size : 0);
    if (text.starts_with(L"\\\\?\\")) text.remove_prefix(4);
    return text.empty() ? folder : fs::path(text);
  }
  throw std::runtime_error("cannot make a temporary folder");
}

// Removes a folder with everything in it, read-only files and names that
// only a "\\?\" path reaches included. False when the folder stays.
bool RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      const DWORD kind = data.dwFileAttributes;
      if ((kind & FILE_ATTRIBUTE_DIRECTORY) && !(kind & FILE_ATTRIBUTE_REPARSE_POINT)) {
        RemoveTree(path);
      } else if (kind & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryW(path.c_str());
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return RemoveDirectoryW(folder.c_str()) != 0;
}

// Every `from` that starts a path (not inside a word) becomes `to`.
std::string ReplacePaths(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  size_t start = 0;
  for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, at + 1)) {
    if (at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1]))) continue;
    out.append(text.substr(start, at - start));
    out.append(to);
    start = at + from.size();
    at = start - 1;
  }
  out.append(text.substr(start));
  return out;
}

#else

fs::path MakeTempFolder() {
  std::string tmpl = (fs::temp_directory_path() / "rastolin-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  return fs::canonical(tmpl);
}

#endif

}  // namespace

TempPrefix::TempPrefix() : root_(MakeTempFolder()) {
  fs::create_directories(drive_c());
#ifdef _WIN32
  drive_ = Utf8Of(drive_c());
#else
  fs::create_directories(prefix() / "dosdevices");
  AddDrive('c', drive_c());
  drive_ = "C:";
#endif
}

TempPrefix::~TempPrefix() { RemoveFolder(root_); }

#ifndef _WIN32
void TempPrefix::AddDrive(char letter, const fs::path& host) {
  fs::create_directories(host);
  fs::create_symlink(host, prefix() / "dosdevices" / (std::string(1, letter) + ":"));
}
#endif

std::string TempPrefix::ToProgram(std::string_view text) const {
#ifdef _WIN32
  return ReplacePaths(ReplacePaths(text, "C:\\", drive_ + "\\"), "c:\\", drive_ + "\\");
#else
  return std::string(text);
#endif
}

std::string TempPrefix::FromProgram(std::string_view text) const {
#ifdef _WIN32
  // The console lowers what it is given, the fixture's path with it.
  return ReplacePaths(ReplacePaths(text, drive_ + "\\", "C:\\"),
                      platform::LowerCase(drive_) + "\\", "c:\\");
#else
  return std::string(text);
#endif
}

std::map<std::string, std::string> TempPrefix::Environment() const {
#ifdef _WIN32
  return {};
#else
  return {{"WINEPREFIX", prefix().string()}};
#endif
}

fs::path TempPrefix::Host(std::string_view windows_path) const {
  std::string_view rest = windows_path;
  if (rest.size() >= 2 && rest[1] == ':') rest.remove_prefix(2);
  fs::path out = drive_c();
  std::string part;
  for (char c : rest) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) out /= PathOf(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) out /= PathOf(part);
  return out;
}

void TempPrefix::Write(std::string_view windows_path, std::string_view bytes) const {
  fs::path host = Host(windows_path);
  fs::create_directories(host.parent_path());
  WriteHostFile(host, bytes);
}

std::string TempPrefix::Read(std::string_view windows_path) const {
  return ReadHostFile(Host(windows_path));
}

void TempPrefix::MakeFolder(std::string_view windows_path) const {
  fs::create_directories(Host(windows_path));
}

void RemoveFolder(const fs::path& folder) {
#ifdef _WIN32
  // A process that has just ended may hold its working folder and standard
  // handles for a moment longer (Wine does).
  for (int attempt = 0; attempt < 100 && !RemoveTree(L"\\\\?\\" + folder.native()); ++attempt)
    Sleep(20);
#else
  std::error_code ec;
  fs::remove_all(folder, ec);
#endif
}

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string ReadHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteHostFile(const fs::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace test_support

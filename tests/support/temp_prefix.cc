#include "tests/support/temp_prefix.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace test_support {

TempPrefix::TempPrefix() {
  std::string tmpl = (fs::temp_directory_path() / "rastolin-test-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  root_ = fs::canonical(tmpl);
  fs::create_directories(prefix() / "dosdevices");
  fs::create_directories(drive_c());
  AddDrive('c', drive_c());
}

TempPrefix::~TempPrefix() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void TempPrefix::AddDrive(char letter, const fs::path& host) {
  fs::create_directories(host);
  fs::create_symlink(host, prefix() / "dosdevices" / (std::string(1, letter) + ":"));
}

fs::path TempPrefix::Host(std::string_view windows_path) const {
  std::string_view rest = windows_path;
  if (rest.size() >= 2 && rest[1] == ':') rest.remove_prefix(2);
  fs::path out = drive_c();
  std::string part;
  for (char c : rest) {
    if (c == '\\' || c == '/') {
      if (!part.empty()) out /= part;
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) out /= part;
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

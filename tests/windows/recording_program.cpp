// A stand-in for a spreadsheet program under Wine: writes the arguments it
// was started with, one per line in UTF-8, into a file beside itself named
// after it with ".args" appended. Registered under App Paths by
// app_paths_test.sh.
#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

}  // namespace

int main() {
  wchar_t self[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::ofstream out(std::filesystem::path(std::wstring(self) + L".args"), std::ios::binary);
  for (int i = 1; arguments != nullptr && i < count; ++i) out << Utf8(arguments[i]) << '\n';
  LocalFree(arguments);
  return out ? 0 : 1;
}

#include "dialogs/shell_platform.h"

#include <windows.h>
#include <shellapi.h>

namespace calorix {
namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  return utf8;
}

// A text value of an open key (REG_SZ or REG_EXPAND_SZ as stored); nothing
// when it is missing or of another type.
std::optional<std::wstring> TextValue(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return value;
}

}  // namespace

const bool kShellFindsRegisteredPrograms = true;

std::optional<AppPathEntry> ReadAppPathEntry(const std::string& name) {
  const std::wstring path = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + Wide(name);
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
  AppPathEntry entry;
  if (const auto value = TextValue(key, L"Path")) {
    entry.pathValue = Utf8(*value);
    entry.hasPathValue = true;
  }
  if (const auto value = TextValue(key, nullptr)) entry.defaultValue = Utf8(*value);
  RegCloseKey(key);
  return entry;
}

bool ShellOpenProgram(const std::string& program, const std::vector<std::string>& arguments) {
  const std::wstring file = Wide(program);
  const std::wstring parameters = Wide(WindowsCommandLine(arguments));
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace calorix

// What the Wine tests need to hear the program: Wine's path conversions and loader, the
// samples of a sound as RUVANO.exe carries it, and a start through Wine's loader that gives
// the started program the environment block as its Unix environment (the Wine session sends
// the audio to the file named by the Unix variable RUVANO_AUDIO_SINK).
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "../host/wave_form_for_tests.h"
#include "wine_test_util.h"

namespace ruvano::testing {

// Path conversions through Wine's kernel32; empty when not under Wine.
inline std::string UnixPath(const std::wstring& path) {
  using Fn = char*(CDECL*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  char* unix = fn ? fn(path.c_str()) : nullptr;
  if (!unix) return {};
  std::string out = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return out;
}
inline std::wstring DosPath(const std::string& path) {
  using Fn = wchar_t*(CDECL*)(const char*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  wchar_t* dos = fn ? fn(path.c_str()) : nullptr;
  if (!dos) return {};
  std::wstring out = dos;
  HeapFree(GetProcessHeap(), 0, dos);
  return out;
}

// Wine's program loader, as a Unix path; empty when not under Wine.
inline std::wstring WineLoader() {
  wchar_t unix[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"WINELOADER", unix, MAX_PATH)) return {};
  return unix;
}

// This process's environment with RUVANO_AUDIO_SINK set to the Unix path, as a block.
inline std::wstring EnvironmentWithSink(const std::string& unixSink) {
  std::wstring env;
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* p = block; *p; p += wcslen(p) + 1) {
    if (wcsncmp(p, L"RUVANO_AUDIO_SINK=", 18) != 0) env.append(p).push_back(L'\0');
  }
  FreeEnvironmentStringsW(block);
  env += L"RUVANO_AUDIO_SINK=" + std::wstring(unixSink.begin(), unixSink.end());
  env.push_back(L'\0');
  env.push_back(L'\0');
  return env;
}

// Starts BinDir() + exe (with args) through Wine's loader with the given environment block.
// Wine gives a Windows child the Unix environment of its parent, whatever its block says; a
// Unix program started through CreateProcess gets the block as its environment, and so does
// the Windows program that the loader then runs. Such a start yields no process handle.
inline bool StartThroughWineLoader(const std::wstring& exe, const std::wstring& args, std::wstring env) {
  // The loader's own command line must name it by its Unix path: it finds its files from there.
  const std::wstring loader = WineLoader();
  const std::wstring loaderDos = DosPath(std::string(loader.begin(), loader.end()));
  if (loaderDos.empty()) return false;
  std::wstring cmd = L"\"" + loader + L"\" \"" + BinDir() + exe + L"\"";
  if (!args.empty()) cmd += L" " + args;
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(loaderDos.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      env.data(), nullptr, &si, &pi)) {
    return false;
  }
  if (pi.hProcess) CloseHandle(pi.hProcess);
  if (pi.hThread) CloseHandle(pi.hThread);
  return true;
}

// The samples of a sound as RUVANO.exe carries it (its "data" chunk).
inline std::vector<std::uint8_t> SoundData(const wchar_t* name) {
  std::vector<std::uint8_t> out;
  HMODULE exe = LoadLibraryExW((BinDir() + L"RUVANO.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!exe) return out;
  if (HRSRC r = FindResourceW(exe, name, L"WAVE")) {
    const auto* p = static_cast<const std::uint8_t*>(LockResource(LoadResource(exe, r)));
    const std::size_t n = SizeofResource(exe, r);
    for (std::size_t at = 12; at + 8 <= n; at += 8 + Le32(p + at + 4)) {
      if (std::memcmp(p + at, "data", 4) == 0) out.assign(p + at + 8, p + at + 8 + Le32(p + at + 4));
    }
  }
  FreeLibrary(exe);
  return out;
}

inline std::size_t NonZeroBytes(const std::vector<std::uint8_t>& v) {
  std::size_t n = 0;
  for (std::uint8_t b : v) n += b != 0;
  return n;
}

}  // namespace ruvano::testing

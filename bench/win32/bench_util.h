// Helpers for the benchmark programs that run under Wine (bench/win32/*_bench.cpp) and the
// soak (tests/wine/targets/soak.cpp): a microsecond clock, summaries of timings, and what a
// process costs in memory, CPU time and window-system objects.
#pragma once

#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <numeric>
#include <vector>

namespace ruvano::bench {

inline double NowUs() {
  static const double perUs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1e6;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / perUs;
}

struct Summary {
  double median = 0, mean = 0, p99 = 0, max = 0;
};

inline Summary Summarize(std::vector<double> v) {
  Summary s;
  if (v.empty()) return s;
  std::sort(v.begin(), v.end());
  s.median = v[v.size() / 2];
  s.mean = std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
  s.p99 = v[std::min(v.size() - 1, v.size() * 99 / 100)];
  s.max = v.back();
  return s;
}

// Memory of a process. Wine leaves PrivateUsage at 0 and reports the commit charge as
// PagefileUsage, which is the same figure on Windows.
struct Memory {
  double privateKiB = 0, workingSetKiB = 0;
};

inline Memory MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX m{};
  m.cb = sizeof(m);
  Memory r;
  if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof(m))) return r;
  r.privateKiB = static_cast<double>(m.PrivateUsage ? m.PrivateUsage : m.PagefileUsage) / 1024.0;
  r.workingSetKiB = static_cast<double>(m.WorkingSetSize) / 1024.0;
  return r;
}

// True under Wine, which gives itself away by an export of its ntdll.
inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// User plus kernel CPU time of a process, in milliseconds. Wine 8 answers for another
// process with the caller's own times: there, only GetCurrentProcess() gives a true figure.
inline double CpuMs(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
  auto ticks = [](FILETIME t) {
    return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 1e4;
}

// GDI objects of this process. GetGuiResources answers on Windows; Wine does not implement
// it, so there the in-use entries of the process's GDI handle table (the table the PEB
// points to, 24-byte entries with the object type at offset 14) are counted instead.
inline long GdiObjectsOfThisProcess() {
  SetLastError(ERROR_SUCCESS);
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (n != 0 || GetLastError() == ERROR_SUCCESS) return static_cast<long>(n);
  struct Entry {
    std::uint64_t object;
    std::uint16_t processId, count, unique;
    std::uint8_t type, flags;
    std::uint64_t user;
  };
  static_assert(sizeof(Entry) == 24);
  using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
  const auto query = reinterpret_cast<QueryFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION info{};
  if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
    return -1;
  const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);  // GdiSharedHandleTable
  if (!table) return -1;
  long used = 0;
  for (int i = 0; i < 0x10000; ++i) used += table[i].type != 0;
  return used;
}

// USER objects of this process: GetGuiResources on Windows; under Wine, which does not
// count them, the windows of this process (top-level and child).
inline long UserObjectsOfThisProcess() {
  SetLastError(ERROR_SUCCESS);
  const DWORD n = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  if (n != 0 || GetLastError() == ERROR_SUCCESS) return static_cast<long>(n);
  struct Count {
    long windows = 0;
  } c;
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid != GetCurrentProcessId()) return TRUE;
        auto& count = *reinterpret_cast<Count*>(lp);
        ++count.windows;
        EnumChildWindows(
            w,
            [](HWND, LPARAM p) -> BOOL {
              ++reinterpret_cast<Count*>(p)->windows;
              return TRUE;
            },
            lp);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&c));
  return c.windows;
}

// Kernel handles of this process (0 where the system does not count them, as under Wine).
inline long KernelHandlesOfThisProcess() {
  DWORD n = 0;
  return GetProcessHandleCount(GetCurrentProcess(), &n) ? static_cast<long>(n) : -1;
}

}  // namespace ruvano::bench

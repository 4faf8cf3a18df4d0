#include "zeq/win32/failure_report.h"

#include <iterator>

#include "zeq/failure_log.h"

namespace ruvano {

namespace {

// Failures come from the GUI thread and from the helper threads.
SRWLOCK g_logLock = SRWLOCK_INIT;
FailureLog g_log;
constexpr wchar_t kPrefix[] = L"RUVANO: ";

// Appends text to line at pos, as far as it fits with room left for "\n" and the terminator.
void Append(wchar_t* line, std::size_t size, std::size_t& pos, const wchar_t* text) noexcept {
  for (; text && *text && pos + 2 < size; ++text) line[pos++] = *text;
}

}  // namespace

void ReportFailure(const wchar_t* what, DWORD error) noexcept {
  // A fixed buffer: reporting must work when memory is what ran out. A longer text is cut.
  wchar_t line[512];
  std::size_t pos = 0;
  Append(line, std::size(line), pos, kPrefix);
  Append(line, std::size(line), pos, what);
  if (error != ERROR_SUCCESS) {
    wchar_t digits[12];
    std::size_t d = std::size(digits) - 1;
    digits[d] = L'\0';
    do {
      digits[--d] = static_cast<wchar_t>(L'0' + error % 10);
      error /= 10;
    } while (error != 0 && d > 0);
    Append(line, std::size(line), pos, L" (error ");
    Append(line, std::size(line), pos, digits + d);
    Append(line, std::size(line), pos, L")");
  }
  line[pos] = L'\0';
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  ::AcquireSRWLockExclusive(&g_logLock);
  g_log.Record({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond},
               reinterpret_cast<const char16_t*>(line) + std::size(kPrefix) - 1);
  ::ReleaseSRWLockExclusive(&g_logLock);
  line[pos++] = L'\n';
  line[pos] = L'\0';
  ::OutputDebugStringW(line);
}

std::vector<Text> RecentFailures() {
  ::AcquireSRWLockShared(&g_logLock);
  struct Release {
    ~Release() { ::ReleaseSRWLockShared(&g_logLock); }
  } release;
  return g_log.Lines();
}

}  // namespace ruvano

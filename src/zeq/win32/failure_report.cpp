#include "zeq/win32/failure_report.h"

#include <iterator>

namespace ruvano {

namespace {

// Appends text to line at pos, as far as it fits with room left for "\n" and the terminator.
void Append(wchar_t* line, std::size_t size, std::size_t& pos, const wchar_t* text) noexcept {
  for (; text && *text && pos + 2 < size; ++text) line[pos++] = *text;
}

}  // namespace

void ReportFailure(const wchar_t* what, DWORD error) noexcept {
  // A fixed buffer: reporting must work when memory is what ran out. A longer text is cut.
  wchar_t line[512];
  std::size_t pos = 0;
  Append(line, std::size(line), pos, L"RUVANO: ");
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
  line[pos++] = L'\n';
  line[pos] = L'\0';
  ::OutputDebugStringW(line);
}

}  // namespace ruvano

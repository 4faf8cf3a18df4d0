#include "zeq/failure_log.h"

namespace ruvano {
namespace {

void AppendNumber(Text& out, unsigned value, int digits) {
  Text d(static_cast<std::size_t>(digits), u'0');
  for (int i = digits; i-- > 0; value /= 10)
    d[static_cast<std::size_t>(i)] = static_cast<char16_t>(u'0' + value % 10);
  out += d;
}

}  // namespace

void FailureLog::Record(const Stamp& when, const char16_t* what) noexcept {
  Entry& e = entries_[next_];
  e.when = when;
  std::size_t n = 0;
  for (; what && what[n] && n < kTextLength; ++n) e.what[n] = what[n];
  e.what[n] = u'\0';
  next_ = (next_ + 1) % kCapacity;
  if (count_ < kCapacity) ++count_;
}

std::vector<Text> FailureLog::Lines() const {
  std::vector<Text> lines;
  for (std::size_t i = 0; i < count_; ++i) {
    const Entry& e = entries_[(next_ + kCapacity - count_ + i) % kCapacity];
    Text line;
    AppendNumber(line, e.when.year, 4);
    line += u'-';
    AppendNumber(line, e.when.month, 2);
    line += u'-';
    AppendNumber(line, e.when.day, 2);
    line += u' ';
    AppendNumber(line, e.when.hour, 2);
    line += u':';
    AppendNumber(line, e.when.minute, 2);
    line += u':';
    AppendNumber(line, e.when.second, 2);
    line += u' ';
    line += e.what.data();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace ruvano

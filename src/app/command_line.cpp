#include "app/command_line.h"

namespace ruvano {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

}  // namespace

std::vector<Text> CommandLineArguments(std::u16string_view line) {
  std::vector<Text> words;
  std::size_t i = 0;
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i >= line.size()) break;
    Text word;
    bool quoted = false;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
      if (line[i] == u'"')
        quoted = !quoted;
      else
        word.push_back(line[i]);
    }
    words.push_back(std::move(word));
  }
  if (!words.empty()) words.erase(words.begin());  // the program name
  return words;
}

}  // namespace ruvano

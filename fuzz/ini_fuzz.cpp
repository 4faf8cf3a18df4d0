// libFuzzer target for the settings file reader and writer. For any bytes: reading never
// crashes; what the writer makes of the model reads back to the same model (and writes the
// same bytes again); loading settings from the bytes, saving them and loading the saved file
// gives the same settings. A broken property traps, which libFuzzer reports as a crash.
//
// Built and run by scripts/fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "iconv_system_text.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"

namespace {

using namespace ruvano;

class MemoryFile : public ISettingsFileAccess {
 public:
  explicit MemoryFile(std::string_view bytes) : bytes_(bytes) {}
  FileContent ReadWholeFile(const Text&) override { return {FileReadStatus::Ok, bytes_}; }
  bool ReplaceWholeFile(const Text&, std::string_view bytes) override {
    bytes_ = std::string(bytes);
    return true;
  }

 private:
  std::string bytes_;
};

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const testing::IconvSystemText cp932;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  IniFile first(cp932);
  first.Parse(bytes);
  const std::string written = first.Serialize();
  IniFile second(cp932);
  second.Parse(written);
  Check(second.Sections() == first.Sections());
  // The encoding is kept, except that ANSI text the code page cannot hold goes to UTF-8.
  Check(second.Encoding() == first.Encoding() ||
        (first.Encoding() == IniEncoding::Ansi && second.Encoding() == IniEncoding::Utf8));
  Check(second.Serialize() == written);

  const Text path = u"RUVANO.ini";
  MemoryFile file(bytes);
  Settings loaded;
  LoadSettings(path, loaded, file, cp932);
  Check(SaveSettings(path, loaded, file, cp932));
  Settings reloaded;
  reloaded.SetTop(12345);  // the window's position must come from the file, not stay as it was
  reloaded.SetLeft(-999);
  LoadSettings(path, reloaded, file, cp932);
  Check(loaded.Values() == reloaded.Values());
  return 0;
}

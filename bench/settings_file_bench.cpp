// Cost of loading and saving the settings file as it grows: LoadSettings and SaveSettings
// over a file held in memory, with the CP932 code page of the host tests. The file holds the
// program's two sections and then one section of short "key=value" lines up to the size, or
// (the last row) one section per key, to show the cost of finding sections.
// Prints, per size, the time of one load and one save (best of a few runs) and the most
// memory each had allocated at once (counted here by replacing operator new), in MiB and as
// a multiple of the file size. The file's own bytes, which the reader hands over, count too.
//
//   build/host/settings_file_bench [runs]
#include <chrono>
#include <cstdio>
#include <cstddef>
#include <cstdlib>
#include <new>
#include <string>

#include "iconv_system_text.h"
#include "settings/settings_file.h"

namespace {

std::size_t g_current = 0;
std::size_t g_peak = 0;

struct alignas(std::max_align_t) Header {
  std::size_t size;
};

void* Allocate(std::size_t size) {
  auto* h = static_cast<Header*>(std::malloc(sizeof(Header) + size));
  if (!h) throw std::bad_alloc();
  h->size = size;
  g_current += size;
  if (g_current > g_peak) g_peak = g_current;
  return h + 1;
}

void Release(void* p) noexcept {
  if (!p) return;
  Header* h = static_cast<Header*>(p) - 1;
  g_current -= h->size;
  std::free(h);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace ruvano {
namespace {

// The file in memory; a read hands over a copy, as reading a real file allocates its bytes.
class MemoryFile : public ISettingsFileAccess {
 public:
  std::string bytes;
  FileContent ReadWholeFile(const Text&) override { return {FileReadStatus::Ok, bytes}; }
  bool ReplaceWholeFile(const Text&, std::string_view written) override {
    writtenSize = written.size();
    return true;
  }
  std::size_t writtenSize = 0;
};

// With sections, every key has a section of its own: the most sections a file of the size holds.
std::string MakeFile(std::size_t size, bool sections) {
  std::string s =
      "[Window]\r\nTop=10\r\nLeft=20\r\n\r\n[Config]\r\nWaveIndex=3\r\nHintString=IME "
      "ON\r\nMute=1\r\n\r\n[Many]\r\n";
  for (unsigned i = 0; s.size() < size; ++i)
    s += sections ? "[s" + std::to_string(i) + "]\r\nk=1\r\n"
                  : "k" + std::to_string(i) + "=" + std::to_string(i % 97) + "\r\n";
  s.resize(size);
  return s;
}

template <typename F>
void Measure(F&& run, int runs, double& bestMs, std::size_t& peak) {
  bestMs = 1e300;
  peak = 0;
  for (int r = 0; r < runs; ++r) {
    const std::size_t base = g_current;
    g_peak = g_current;
    const auto start = std::chrono::steady_clock::now();
    run();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (ms < bestMs) bestMs = ms;
    if (g_peak - base > peak) peak = g_peak - base;
  }
}

int Main(int runs) {
  const testing::IconvSystemText cp932;
  const Text path = u"RUVANO.ini";
  std::printf("settings file: load and save (best of %d runs), most memory allocated at once\n", runs);
  std::printf("%10s  %12s %12s %14s %14s   (* a section per key)\n", "file", "load ms", "save ms",
              "load peak MiB", "save peak MiB");
  const struct {
    std::size_t size;
    bool sections;
  } files[] = {{16u << 10, false}, {1u << 20, false}, {16u << 20, false}, {16u << 20, true}};
  for (const auto [size, sections] : files) {
    MemoryFile file;
    file.bytes = MakeFile(size, sections);
    double loadMs = 0, saveMs = 0;
    std::size_t loadPeak = 0, savePeak = 0;
    Settings loaded;
    Measure([&] { LoadSettings(path, loaded, file, cp932); }, runs, loadMs, loadPeak);
    Measure([&] { SaveSettings(path, loaded, file, cp932); }, runs, saveMs, savePeak);
    const double mib = 1024.0 * 1024.0;
    std::printf("%7zu KiB%s %12.2f %12.2f %8.1f (%3.1fx) %8.1f (%3.1fx)%s\n", size >> 10,
                sections ? "*" : " ", loadMs, saveMs, loadPeak / mib, double(loadPeak) / size, savePeak / mib,
                double(savePeak) / size,
                loaded.WaveIndex() == 3 && file.writtenSize > 0 ? "" : "  (not loaded or not saved)");
  }
  return 0;
}

}  // namespace
}  // namespace ruvano

int main(int argc, char** argv) { return ruvano::Main(argc > 1 ? std::atoi(argv[1]) : 3); }

// The settings file "RUVANO.ini" in the data folder: LoadSettings reads it into Settings once
// at start-up, SaveSettings writes Settings back whenever the settings window is asked to
// close. Everything else the file holds (other sections and keys, in their order) survives a
// save; comments and blank lines do not.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "settings/system_text.h"
#include "zeq/contract_strings.h"
#include "zeq/types.h"

namespace ruvano {

// Larger files are no settings file of ours: they are neither read nor written.
inline constexpr std::uint64_t kMaxSettingsFileSize = 16u << 20;

// The settings file in a data folder given with its trailing backslash.
inline Text SettingsFilePath(const Text& dataDir) { return dataDir + kSettingsFileName; }

enum class FileReadStatus { Ok, Missing, Unreadable, TooLarge };

struct FileContent {
  FileReadStatus status = FileReadStatus::Missing;
  std::string bytes;
};

class ISettingsFileAccess {
 public:
  virtual ~ISettingsFileAccess() = default;
  // The whole file, or Missing when there is no such file, Unreadable when it exists but
  // cannot be read (locked, access denied), TooLarge when it is larger than any settings file
  // of ours would be (it is then not read).
  virtual FileContent ReadWholeFile(const Text& path) = 0;
  // Replaces the whole file with the bytes (creating it when missing). True: the complete new
  // content is in place. False: the previous file is as it was, or, where the system moved
  // it away and could not put the new one in its place, the new content is where the next
  // read of the file finds it.
  virtual bool ReplaceWholeFile(const Text& path, std::string_view bytes) = 0;
};

// Reads the file and assigns the fields through the Settings setters (which clamp and notify)
// in the file's key order; an absent or malformed key falls back to the field's current
// value (0 for the sound choices, 100 for the opacity). A missing or unreadable file assigns
// nothing.
void LoadSettings(const Text& path, Settings& settings, ISettingsFileAccess& files, const ISystemText& text);

// Reads the file's current content, sets the keys of the settings in the file's key order
// and writes it all back. Returns false when the file could not be read or is too large to be
// ours (it is then left alone, so what else it holds is not lost) or could not be written
// (the previous file stays as it was).
bool SaveSettings(const Text& path, const Settings& settings, ISettingsFileAccess& files,
                  const ISystemText& text);

}  // namespace ruvano

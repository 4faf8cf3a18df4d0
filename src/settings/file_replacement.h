// Replacing the settings file through a temporary file of our own beside it, so that a save
// that fails at any step leaves the old or the new content where the next load finds it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "zeq/types.h"

namespace ruvano {

// System error codes as the file operations report them.
namespace file_error {
inline constexpr std::uint32_t kNone = 0;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kLockViolation = 33;
inline constexpr std::uint32_t kUnableToRemoveReplaced = 1175;
inline constexpr std::uint32_t kUnableToMoveReplacement = 1176;
inline constexpr std::uint32_t kUnableToMoveReplacement2 = 1177;
}  // namespace file_error

// Errors that another program holding the file for a moment (a virus scanner, a backup or
// sync client) gives; they pass when it lets go.
bool IsTransientFileError(std::uint32_t error);

// A temporary file that a save of ours made beside a file; lastWrite orders them, newest
// highest.
struct TempFile {
  Text path;
  std::uint64_t lastWrite = 0;
  std::uint64_t size = 0;
};

// The file system steps of a replacement, as Windows carries them out.
class IFileMoves {
 public:
  virtual ~IFileMoves() = default;
  virtual FileContent Read(const Text& path) = 0;
  virtual bool Exists(const Text& path) = 0;
  // Another program holds the file so that it cannot be replaced at this moment.
  virtual bool Busy(const Text& path) = 0;
  // ReplaceFileW without a backup name; 0 or the error code.
  virtual std::uint32_t Replace(const Text& target, const Text& replacement) = 0;
  // A rename over an existing file; 0 or the error code.
  virtual std::uint32_t Move(const Text& from, const Text& to) = 0;
  virtual bool Remove(const Text& path) = 0;
  // Our temporary files beside target, in any order.
  virtual std::vector<TempFile> TempFilesBeside(const Text& target) = 0;
  virtual std::uint64_t NowMs() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

// The content a load reads: target's, or while target is missing, that of the newest
// non-empty temporary file named for it (a save that could not put it in place left it as
// the only copy). Missing when there is neither.
FileContent ReadNewestCopy(IFileMoves& files, const Text& target);

// Removes temporary files that earlier saves left behind, but only while target exists:
// without it one of them may hold the only copy.
void RemoveStaleTempFiles(IFileMoves& files, const Text& target);

// Puts the fully written temp in target's place, waiting about a second for a target that
// another program holds. True when the new content is at target. On failure temp is removed
// only when target still exists, so the only copy of the settings is never deleted.
bool PutInPlace(IFileMoves& files, const Text& temp, const Text& target);

}  // namespace ruvano

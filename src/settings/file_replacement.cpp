#include "settings/file_replacement.h"

#include <algorithm>
#include <iterator>

namespace ruvano {
namespace {

// ReplaceFileW keeps what belongs to the old file (attributes, security, alternate streams,
// its place as a link target); where it cannot work (a file system without it, no old file,
// an old file it renamed away and could not replace) a rename takes its place. A busy file is
// tried again for about a second, well inside the few seconds Windows gives at log-off.
bool MoveIntoPlace(IFileMoves& files, const Text& temp, const Text& target) {
  static constexpr std::uint32_t kWaitsMs[] = {20, 40, 80, 160, 250, 250, 250};
  const std::uint64_t deadline = files.NowMs() + 1100;
  for (std::size_t attempt = 0;; ++attempt) {
    const bool last = attempt == std::size(kWaitsMs) || files.NowMs() >= deadline;
    if (files.Exists(target)) {
      // Asked first: under Wine a failing ReplaceFileW leaves a file of its own behind.
      if (files.Busy(target)) {
        if (last) return false;
        files.Sleep(kWaitsMs[attempt]);
        continue;
      }
      const std::uint32_t error = files.Replace(target, temp);
      if (error == file_error::kNone) return true;
      if (!last && IsTransientFileError(error)) {
        files.Sleep(kWaitsMs[attempt]);
        continue;
      }
    }
    const std::uint32_t error = files.Move(temp, target);
    if (error == file_error::kNone) return true;
    if (last || !IsTransientFileError(error)) return false;
    files.Sleep(kWaitsMs[attempt]);
  }
}

}  // namespace

bool IsTransientFileError(std::uint32_t error) {
  return error == file_error::kSharingViolation || error == file_error::kLockViolation ||
         error == file_error::kAccessDenied || error == file_error::kUnableToRemoveReplaced;
}

FileContent ReadNewestCopy(IFileMoves& files, const Text& target) {
  FileContent content = files.Read(target);
  if (content.status != FileReadStatus::Missing) return content;
  std::vector<TempFile> temps = files.TempFilesBeside(target);
  std::erase_if(temps, [](const TempFile& t) { return t.size == 0; });
  std::sort(temps.begin(), temps.end(),
            [](const TempFile& a, const TempFile& b) { return a.lastWrite > b.lastWrite; });
  // One that cannot be read is still being written by another copy: the next one older.
  for (const TempFile& t : temps) {
    FileContent copy = files.Read(t.path);
    if (copy.status == FileReadStatus::Ok && !copy.bytes.empty()) return copy;
  }
  return content;
}

void RemoveStaleTempFiles(IFileMoves& files, const Text& target) {
  if (!files.Exists(target)) return;
  // One that is still open (another copy writing it at this moment) cannot be removed and stays.
  for (const TempFile& t : files.TempFilesBeside(target)) files.Remove(t.path);
}

bool PutInPlace(IFileMoves& files, const Text& temp, const Text& target) {
  if (MoveIntoPlace(files, temp, target)) return true;
  if (files.Exists(target)) files.Remove(temp);
  return false;
}

}  // namespace ruvano

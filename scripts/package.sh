#!/usr/bin/env bash
# Builds the release: RUVANO-<version>-win-x64.zip with RUVANO.exe, the Japanese user guide
# (README-ja.txt: docs/guide-ja.md as plain text, UTF-8 with a byte-order mark and CRLF for
# Notepad), the licence and the SHA-256 sums of the three, plus the archive's own SHA256SUMS and winget and Scoop manifests
# that carry its hash. Two runs on one commit give the same bytes: the exe has no link time
# stamp and no build path, the archive's entries have fixed order, times and attributes.
#
#   scripts/package.sh [BUILD_DIR [OUT_DIR]]     (defaults: build/package, build/dist)
#
# BUILD_DIR is a MinGW build tree (made when missing; build/mingw serves as well). The
# version and the project's address come from CMakeLists.txt. RUVANO_RELEASE_URL overrides
# the folder the archive is downloaded from (default <address>/releases/download/v<version>).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/package}
out=${2:-build/dist}
scripts/deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -G Ninja -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
fi
cmake --build "$build" --target RUVANO
cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
version=$(cache CMAKE_PROJECT_VERSION)
homepage=$(cache CMAKE_PROJECT_HOMEPAGE_URL)
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }
# Entry times: the commit's time, so that a rebuild of the commit gives the same archive.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1767225600)}
zip="RUVANO-$version-win-x64.zip"
url="${RUVANO_RELEASE_URL:-$homepage/releases/download/v$version}/$zip"
mkdir -p "$out"

# The guide with its pictures, as the project's page shows it at this version's tag.
guide_address="$homepage/blob/v$version/docs/guide-ja.md"

python3 - "$build/RUVANO.exe" "$out/$zip" "$epoch" "$guide_address" <<'PY'
import hashlib, subprocess, sys, time, zipfile
exe, archive, epoch, guide_address = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]

def windows_text(text, bom):
    return (b"\xef\xbb\xbf" if bom else b"") + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")

# The guide as plain text for Notepad (scripts/guide-text.py).
guide = subprocess.run([sys.executable, "scripts/guide-text.py", "docs/guide-ja.md", guide_address], check=True,
                       capture_output=True).stdout.decode("utf-8")
files = [
    ("RUVANO.exe", open(exe, "rb").read()),
    ("README-ja.txt", windows_text(guide, bom=True)),
    ("LICENSE.txt", windows_text(open("LICENSE", encoding="utf-8").read(), bom=False)),
]
sums = "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in files)
files.append(("SHA256SUMS", sums.encode("ascii")))

stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
with zipfile.ZipFile(archive, "w") as z:
    for name, data in files:
        info = zipfile.ZipInfo(name, stamp)
        info.create_system = 0          # MS-DOS attributes, as Windows' own archives have
        info.external_attr = 0x20       # FILE_ATTRIBUTE_ARCHIVE
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, data, compresslevel=9)
PY

hash=$(sha256sum "$out/$zip" | cut -d' ' -f1)
(cd "$out" && sha256sum "$zip" > SHA256SUMS)
fill() {
  sed -e "s|@VERSION@|$version|g" -e "s|@SHA256@|$1|g" -e "s|@URL@|$url|g" -e "s|@HOMEPAGE@|$homepage|g" \
      -e "s|@RELEASE_DATE@|$(date -u -d "@$epoch" +%Y-%m-%d)|g" "$2" > "$3"
}
winget="$out/winget/manifests/z/ZEQProject/RUVANO/$version"
rm -rf "$out/winget" "$out/scoop"
mkdir -p "$winget" "$out/scoop"
for t in packaging/winget/*.yaml.in; do
  f=$(basename "$t" .in)
  # winget wants the installer hash in capitals.
  if [ "$f" = ZEQProject.RUVANO.installer.yaml ]; then fill "${hash^^}" "$t" "$winget/$f"; else fill "$hash" "$t" "$winget/$f"; fi
done
fill "$hash" packaging/scoop/ruvano.json.in "$out/scoop/ruvano.json"

echo "Release $version in $out:"
echo "  $zip  $(stat -c %s "$out/$zip") bytes  sha256 $hash"
echo "  RUVANO.exe  $(stat -c %s "$build/RUVANO.exe") bytes"
echo "  winget: ${winget#"$out/"}/  scoop: scoop/ruvano.json"

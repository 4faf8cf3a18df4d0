#!/usr/bin/env bash
# Checks the package manifests that scripts/package.sh wrote beside a release archive: each
# names the archive by its download address and carries its SHA-256, and the program each
# installs is a file of the archive.
#
#   tests/release/manifest_hashes.sh OUT_DIR     (the folder given to scripts/package.sh)
set -euo pipefail
python3 - "${1:?usage: $0 OUT_DIR}" <<'PY'
import glob, hashlib, json, os, re, sys, zipfile
out = sys.argv[1]
archives = glob.glob(os.path.join(out, "RUVANO-*-win-x64.zip"))
if len(archives) != 1:
    sys.exit(f"expected one archive in {out}, found {archives}")
archive = archives[0]
name = os.path.basename(archive)
digest = hashlib.sha256(open(archive, "rb").read()).hexdigest()
entries = set(zipfile.ZipFile(archive).namelist())
faults = []

def check(manifest, url, sha, programs):
    if sha is None or sha.lower() != digest:
        faults.append(f"{manifest}: hash {sha} is not the archive's {digest}")
    if url is None or not url.endswith("/" + name):
        faults.append(f"{manifest}: address {url} does not name {name}")
    for p in programs:
        if p not in entries:
            faults.append(f"{manifest}: installs {p}, which the archive lacks")

installers = glob.glob(os.path.join(out, "winget", "manifests", "*", "*", "*", "*", "*.installer.yaml"))
if len(installers) != 1:
    faults.append(f"expected one winget installer manifest, found {installers}")
for path in installers:
    text = open(path, encoding="utf-8").read()
    field = lambda key: (re.findall(rf"(?m)^\s*-?\s*{key}:\s*(\S+)\s*$", text) or [None])[0]
    check(path, field("InstallerUrl"), field("InstallerSha256"), re.findall(r"(?m)RelativeFilePath:\s*(\S+)", text))

scoop = os.path.join(out, "scoop", "ruvano.json")
try:
    m = json.load(open(scoop, encoding="utf-8"))
    arch = m["architecture"]["64bit"]
    bins = m["bin"] if isinstance(m["bin"], list) else [m["bin"]]
    check(scoop, arch.get("url"), arch.get("hash"), bins)
except (OSError, ValueError, KeyError, TypeError) as e:
    faults.append(f"{scoop}: {e!r}")

if faults:
    sys.exit("manifest check FAILED:\n  " + "\n  ".join(faults))
print(f"manifests: winget and Scoop carry the hash of {name}")
PY

#!/usr/bin/env bash
# Fails when a Windows executable imports a DLL that Windows might take from the program's
# own folder: only the system's known DLLs (which always come from the system folder) and
# comctl32 (which the manifest binds to the system's side-by-side copy) may be imported. Any
# other system DLL is bound at run time from the system folder; a lib*.dll would be a MinGW
# runtime that a user's machine does not have.
set -euo pipefail
exe=$1
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
echo "$exe imports:"; printf '  %s\n' $dlls
known='advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdiplus|imagehlp|imm32|kernel32|msctf|msvcrt|normaliz|nsi|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore|shell32|shlwapi|user32|wldap32|ws2_32'
bad=$(printf '%s\n' $dlls | grep -viE "^(($known|comctl32)\.dll|api-ms-win-[a-z0-9-]+\.dll)$" || true)
if [ -n "$bad" ]; then echo "imports that are not known DLLs: $bad"; exit 1; fi

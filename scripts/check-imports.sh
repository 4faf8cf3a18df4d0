#!/usr/bin/env bash
# Fails when a Windows executable imports anything but system DLLs (a lib*.dll would be a
# MinGW runtime that a user's machine does not have).
set -euo pipefail
exe=$1
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump
dlls=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p')
echo "$exe imports:"; printf '  %s\n' $dlls
bad=$(printf '%s\n' $dlls | grep -iE '^lib|^(msvcp|vcruntime|ucrtbased)' || true)
if [ -n "$bad" ]; then echo "non-system DLLs: $bad"; exit 1; fi

# Sourced by the scripts that run the real program inside scripts/wine-session.sh: points the
# Wine user's application-data folder at a fresh folder of the run's own, so the program's
# settings file there is the run's alone, and puts the old setting back when the script ends.
# After sourcing: $data_home is that folder (Unix path) and $settings_file the program's file.
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'
data_home=$(mktemp -d)
settings_file="$data_home/ZEQ Project/RUVANO/RUVANO.ini"
_old_line=$(wine reg query "$shell_folders" /v AppData 2>/dev/null | tr -d '\r' | awk '$1 == "AppData"' || true)
_old_type=$(awk '{ print $2 }' <<<"$_old_line")
_old_value=$(sed -E 's/^ *AppData +REG_[A-Z_]+ +//' <<<"$_old_line")
restore_data_folder() {
  if [ -n "$_old_line" ]; then wine reg add "$shell_folders" /v AppData /t "$_old_type" /d "$_old_value" /f >/dev/null 2>&1
  else wine reg delete "$shell_folders" /v AppData /f >/dev/null 2>&1; fi
  rm -rf "$data_home"
}
wine reg add "$shell_folders" /v AppData /t REG_SZ /d "$(winepath -w "$data_home")" /f >/dev/null 2>&1

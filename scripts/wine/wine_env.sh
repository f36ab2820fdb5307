# shellcheck shell=bash
# Library for running the Windows build under Wine, headless and repeatable. Source it, then:
#   wine_env_init <state dir>   throwaway 64-bit prefix under <state dir>, never the user's own
#   wine_prefix_ensure          create the prefix once (fonts, virtual desktop), reuse it after
#   wine_set_dpi <dpi>          the screen DPI that programs started next will see
#   xvfb_start / xvfb_stop      a private X server on a free display, stopped by pid
#   wine_session_stop           end every Wine process of this prefix, and only of this prefix
# Every wait is bounded.

WINE_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/xvfb.sh
source "$WINE_ENV_DIR/../xvfb.sh"
# shellcheck source=scripts/toolkit_fonts.sh
source "$WINE_ENV_DIR/../toolkit_fonts.sh"

wine_env_init() {
  WINE_STATE_DIR=$(realpath -m "$1")
  mkdir -p "$WINE_STATE_DIR"
  export WINEPREFIX="$WINE_STATE_DIR/prefix"
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No prompts to install Mono or Gecko.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_BIN=$(command -v wine64 || command -v wine) || { echo "wine is not installed" >&2; return 1; }
  WINESERVER_BIN=$(command -v wineserver) || { echo "wineserver is not installed" >&2; return 1; }
  export WINE_BIN WINESERVER_BIN
}

# Bounded wait for the prefix's wineserver to end.
wine_wait_server() {
  timeout "${1:-60}" "$WINESERVER_BIN" -w || true
}

# Imports a .reg file into the prefix. It runs headless, so the session it starts (whose desktop
# has no display driver) is ended at once: later programs must start a desktop on the X server.
wine_import_reg() {
  local status=0
  env -u DISPLAY timeout 60 "$WINE_BIN" regedit /S "$(winepath_of "$1")" >/dev/null 2>&1 || status=$?
  wine_session_stop
  return "$status"
}

winepath_of() {
  # Z: maps the Unix root in every prefix.
  printf 'Z:%s' "$(realpath -m "$1" | tr '/' '\\')"
}

# The fonts the toolkit names, visible to DirectWrite: Wine's Tahoma is shipped but not registered,
# and Verdana is replaced by DejaVu Sans renamed to that family.
wine_install_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  toolkit_fonts_install "$fonts" || return 1
  # Marlett draws the caption buttons of the virtual desktop's windows.
  cp "$(wine_font_folder)/marlett.ttf" "$fonts/"
}

wine_prefix_settings() {
  local reg="$WINE_STATE_DIR/prefix-settings.reg"
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" name file
  {
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\n'
    while read -r file name; do
      if [[ -f "$fonts/$file" ]]; then
        printf '"%s (TrueType)"="%s"\n' "${name//_/ }" "$file"
      fi
    done <<'FONTS'
tahoma.ttf Tahoma
tahomabd.ttf Tahoma_Bold
marlett.ttf Marlett
verdana.ttf Verdana
verdanab.ttf Verdana_Bold
verdanai.ttf Verdana_Italic
verdanaz.ttf Verdana_Bold_Italic
FONTS
    cat <<'REG'

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"
REG
  } >"$reg"
  wine_import_reg "$reg"
}

# Creates the prefix on first use; concurrent callers wait for the one that creates it.
wine_prefix_ensure() {
  local stamp="$WINE_STATE_DIR/prefix.ready"
  local recipe
  recipe=$( (cat "${BASH_SOURCE[0]}"; toolkit_fonts_recipe) | sha256sum | cut -c1-16)
  (
    flock -w 300 9 || { echo "timed out waiting for the Wine prefix lock" >&2; exit 1; }
    if [[ -f "$stamp" && "$(cat "$stamp")" == "$recipe" ]]; then
      exit 0
    fi
    echo "creating Wine prefix in $WINEPREFIX" >&2
    "$WINESERVER_BIN" -k 2>/dev/null || true
    wine_wait_server 30
    rm -rf "$WINEPREFIX" "$stamp"
    env -u DISPLAY timeout 180 "$WINE_BIN" wineboot --init >"$WINE_STATE_DIR/wineboot.log" 2>&1 || {
      echo "wineboot failed, see $WINE_STATE_DIR/wineboot.log" >&2; exit 1; }
    wine_session_stop
    wine_install_fonts || exit 1
    wine_prefix_settings || { echo "could not write the prefix settings" >&2; exit 1; }
    echo "$recipe" >"$stamp"
  ) 9>"$WINE_STATE_DIR/prefix.lock"
}

# Both places Wine reads the screen DPI from; read by each program when it starts.
wine_set_dpi() {
  local dpi=$1 hex
  hex=$(printf '%08x' "$dpi")
  local reg="$WINE_STATE_DIR/dpi-$dpi.reg"
  cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$hex

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$hex
REG
  wine_import_reg "$reg"
}

# Ends the Wine processes of this prefix (the virtual desktop included).
wine_session_stop() {
  "$WINESERVER_BIN" -k 2>/dev/null || true
  wine_wait_server 30
}

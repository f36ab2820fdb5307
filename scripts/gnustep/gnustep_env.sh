# shellcheck shell=bash
# What the GNUstep programs of the tests, the main job and the benchmarks see, so that their text is
# laid out as on a Mac: the font families the toolkit names (Tahoma, Verdana), which a Mac has and
# which GNUstep's back end finds through fontconfig, and the fonts' own metrics, unhinted, as macOS
# uses them (GNUstep rounds them to whole pixels by default, which makes lines taller and words
# wider than on a Mac). Nothing reaches the machine's own font or GNUstep configuration. Source it,
# then:
#   gnustep_env_init <state dir>          the font folder and its fontconfig configuration under
#                                         <state dir>, made once (again when their recipe changed),
#                                         and a GNUstep configuration there; exports FONTCONFIG_FILE
#                                         and GNUSTEP_CONFIG_FILE
#   gnustep_write_config <dir> [line...]  a GNUstep configuration in <dir>: the system's, then the
#                                         lines, with the defaults every run shares beside it;
#                                         exports GNUSTEP_CONFIG_FILE

GNUSTEP_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=scripts/toolkit_fonts.sh
source "$GNUSTEP_ENV_DIR/../toolkit_fonts.sh"

gnustep_write_config() {
  local dir=$1
  shift
  mkdir -p "$dir"
  {
    [[ -f /etc/GNUstep/GNUstep.conf ]] && cat /etc/GNUstep/GNUstep.conf
    if (($#)); then printf '%s\n' "$@"; fi
  } >"$dir/GNUstep.conf"
  # GNUstep reads the defaults of GlobalDefaults.plist beside its configuration file. GSFontHinting
  # 17: metrics and outlines unhinted.
  printf '{\n  GSFontHinting = 17;\n}\n' >"$dir/GlobalDefaults.plist"
  export GNUSTEP_CONFIG_FILE="$dir/GNUstep.conf"
}

gnustep_env_init() {
  local state fonts config recipe
  state=$(realpath -m "$1")
  fonts="$state/fonts"
  config="$state/fonts.conf"
  mkdir -p "$state"
  recipe=$( (cat "${BASH_SOURCE[0]}"; toolkit_fonts_recipe) | sha256sum | cut -c1-16)
  (
    flock -w 300 9 || { echo "timed out waiting for the GNUstep font lock" >&2; exit 1; }
    [[ -f "$state/fonts.ready" && "$(cat "$state/fonts.ready")" == "$recipe" ]] && exit 0
    rm -rf "$fonts" "$state/font-cache" "$state/fonts.ready"
    toolkit_fonts_install "$fonts" || exit 1
    # The folder comes first, and with it the cache of its own, which is written there.
    cat >"$config" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <cachedir>$state/font-cache</cachedir>
  <dir>$fonts</dir>
  <include ignore_missing="no">/etc/fonts/fonts.conf</include>
</fontconfig>
XML
    FONTCONFIG_FILE="$config" fc-cache "$fonts" || { echo "fc-cache failed for $fonts" >&2; exit 1; }
    echo "$recipe" >"$state/fonts.ready"
  ) 9>"$state/fonts.lock" || return 1
  export FONTCONFIG_FILE="$config"
  gnustep_write_config "$state/config"
}

# shellcheck shell=bash
# The font families the toolkit names, which Windows and macOS have and a Debian machine has not, for
# the Wine and the GNUstep runs. Source it, then:
#   toolkit_fonts_install <folder>   Wine's Tahoma (regular and bold) and DejaVu Sans renamed to
#                                    Verdana (regular and bold, slanted faces where the system has
#                                    them) into <folder>
#   toolkit_fonts_recipe             a short hash of what makes them, to rebuild stale copies

TOOLKIT_FONTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Where fonts-wine puts Wine's own fonts; empty when it is not installed.
wine_font_folder() {
  local folder
  for folder in /usr/share/wine/fonts /usr/lib/wine/fonts /usr/share/fonts/wine; do
    [[ -f "$folder/tahoma.ttf" ]] && { echo "$folder"; return; }
  done
}

toolkit_fonts_install() {
  local fonts=$1 wine_fonts
  mkdir -p "$fonts"
  wine_fonts=$(wine_font_folder)
  [[ -n "$wine_fonts" ]] || { echo "Wine's tahoma.ttf not found (package fonts-wine)" >&2; return 1; }
  cp "$wine_fonts/tahoma.ttf" "$wine_fonts/tahomabd.ttf" "$fonts/"

  # Regular and bold are required; the slanted faces (fonts-dejavu-extra) are used when present,
  # and the text engines slant the upright ones themselves otherwise.
  local dejavu=/usr/share/fonts/truetype/dejavu source target style
  while read -r source target style; do
    if [[ ! -f "$dejavu/$source" ]]; then
      [[ "$style" == *Italic ]] && continue
      echo "$dejavu/$source not found (package fonts-dejavu-core)" >&2
      return 1
    fi
    /usr/bin/python3 "$TOOLKIT_FONTS_DIR/make_verdana.py" "$dejavu/$source" "$fonts/$target" "${style//_/ }" || return 1
  done <<'FACES'
DejaVuSans.ttf verdana.ttf Regular
DejaVuSans-Bold.ttf verdanab.ttf Bold
DejaVuSans-Oblique.ttf verdanai.ttf Italic
DejaVuSans-BoldOblique.ttf verdanaz.ttf Bold_Italic
FACES
}

toolkit_fonts_recipe() {
  cat "${BASH_SOURCE[0]}" "$TOOLKIT_FONTS_DIR/make_verdana.py" | sha256sum | cut -c1-16
}

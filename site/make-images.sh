#!/usr/bin/env bash
# Draws every picture the statistics pages can name into site/images/ (needs Debian's imagemagick).
#
# usage: site/make-images.sh [output-dir]      (default: site/images next to this script)
#
# The pictures are committed, so a site needs no drawing tool; run this again only after
# changing a picture or the list of maps. All of them are plain text and shapes on tinted
# cards in the colours of c-kalimo.css.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/images}

if ! convert -version 2>/dev/null | grep -q ImageMagick; then
  echo "make-images.sh: ImageMagick's convert is needed (apt-get install imagemagick)" >&2
  exit 1
fi

font=DejaVu-Sans-Bold
font_plain=DejaVu-Sans
mkdir -p "$out/maps" "$out/awards"

# A map card: 160 x 128, the map's name large on a tint that says what kind of map it is.
# $1 map name (file name without .jpg), $2 kind shown below the name, $3 tint, $4 darker tint
map_card() {
  convert -size 160x128 "gradient:$3-$4" \
    -fill none -stroke '#d6dae0' -strokewidth 1 -draw 'rectangle 3,3 156,124' -stroke none \
    -fill '#ffffff' -font "$font" -pointsize 20 -gravity center -annotate +0-10 "$1" \
    -fill '#d6dae0' -font "$font_plain" -pointsize 10 -annotate +0+18 "$2" \
    -strip -quality 82 "$out/maps/$1.jpg"
}

for n in $(seq 0 19); do map_card "q3dm$n" "deathmatch" '#35506e' '#141c28'; done
for n in $(seq 1 6); do map_card "q3tourney$n" "tournament" '#6e3535' '#281414'; done
for n in $(seq 1 4); do map_card "q3ctf$n" "capture the flag" '#3a6235' '#142614'; done
map_card q3tourney6_ctf "capture the flag" '#3a6235' '#142614'
# Maps of the OSP and CPMA crowd seen in real logs.
for m in ospdm1 ospdm2 ospdm3 ospdm4 ospdm5 ospdm6; do map_card "$m" "OSP deathmatch" '#5a3a6e' '#1e1428'; done
for m in pro-q3dm6 pro-q3dm13 pro-q3tourney2 pro-q3tourney4 pro-q3tourney7; do
  map_card "$m" "pro map" '#5a3a6e' '#1e1428'
done
for m in cpm1a cpm3a cpm16 cpm22 cpm29; do map_card "$m" "CPMA map" '#2f6266' '#122426'; done

# Shown for any map without a picture of its own (and for games with no known map).
convert -size 160x128 'gradient:#3a4048-#16191d' \
  -fill none -stroke '#8a929c' -strokewidth 1 -draw 'rectangle 3,3 156,124' -stroke none \
  -fill '#d6dae0' -font "$font" -pointsize 16 -gravity center -annotate +0-8 'map' \
  -fill '#8a929c' -font "$font_plain" -pointsize 10 -annotate +0+14 'no picture yet' \
  "$out/maps/default.gif"

# Team flags: a pole with a cloth, 48 x 96. $1 file, $2 cloth colour, $3 word on the cloth,
# $4 cloth shape ("pennant" or "banner")
flag() {
  local shape
  if [ "$4" = pennant ]; then
    shape="polygon 10,8 44,22 10,36"
  else
    shape="rectangle 10,8 44,52"
  fi
  convert -size 48x96 xc:'#1b1f25' \
    -fill '#8a929c' -draw 'rectangle 6,4 9,92' \
    -fill "$2" -draw "$shape" \
    -fill '#ffffff' -font "$font" -pointsize 9 -gravity north -annotate +4+62 "$3" \
    -strip -quality 90 "$out/$1"
}
flag flag_ctf_red.jpg '#c8323c' RED pennant
flag flag_ctf_blue.jpg '#3c5ac8' BLUE pennant
flag flag_tdm_red.gif '#c8323c' RED banner
flag flag_tdm_blue.gif '#3c5ac8' BLUE banner
flag flag_ffa.gif '#8a929c' FFA banner

# Separator between blocks: a thin rule that fades out at both ends.
convert -size 400x6 xc:'#111418' \
  \( -size 200x2 'gradient:#111418-#7fb8ff' \) -geometry +0+2 -composite \
  \( -size 200x2 'gradient:#7fb8ff-#111418' \) -geometry +200+2 -composite \
  "$out/break.gif"

# Credits logos, 88 x 31 text badges. $1 file, $2 text, $3 background, $4 text colour
logo() {
  convert -size 88x31 xc:"$3" \
    -fill none -stroke "$4" -draw 'rectangle 1,1 86,29' -stroke none \
    -fill "$4" -font "$font" -pointsize 11 -gravity center -annotate +0+0 "$2" \
    "$out/$1"
}
logo logo-osp.gif 'OSP' '#2e3540' '#ffcc66'
logo logo-kalimostats.gif 'kalimostats' '#1f3270' '#ffffff'
logo logo-makers.gif 'the makers' '#6b1c22' '#ffffff'

# Award badges, 28 x 28: a disc in the family's colour with a short word.
# $1 file, $2 word, $3 disc colour, $4 ring colour
badge() {
  local size=9
  [ ${#2} -ge 3 ] && size=8
  [ ${#2} -ge 4 ] && size=7
  convert -size 28x28 xc:'#1b1f25' \
    -fill "$3" -stroke "$4" -strokewidth 2 -draw 'circle 14,14 14,2' -stroke none \
    -fill '#ffffff' -font "$font" -pointsize "$size" -gravity center -annotate +0+0 "$2" \
    -strip -quality 90 "$out/awards/$1"
}
# Best killer with a weapon: red; best accuracy with it: blue. Same words for the same weapon.
weapons=(gauntlet:G machine:MG shot:SG grenade:GL rocket:RL rail:RG lightning:LG plasma:PG bfg:BFG
  nail:NG grapple:GH)
for w in "${weapons[@]}"; do
  badge "carnage_${w%%:*}.jpg" "${w#*:}" '#8c2830' '#e05a64'
  [ "${w%%:*}" = nail ] && continue  # no accuracy award for the nail gun
  badge "accuracy_${w%%:*}.jpg" "${w#*:}" '#24428c' '#6e94f0'
done
# Player feats: gold; flag feats: green.
badge player_kills.jpg KILL '#8c6e14' '#f0c850'
badge player_bloodlust.jpg STRK '#8c6e14' '#f0c850'
badge player_damage.jpg DMG '#8c6e14' '#f0c850'
badge player_accuracy.jpg ACC '#8c6e14' '#f0c850'
badge player_combat.jpg CMB '#8c6e14' '#f0c850'
badge player_kalimo.jpg MVP '#8c6e14' '#f0c850'
badge ctf_caps.jpg CAP '#2a6e32' '#6ed278'
badge ctf_assists.jpg AST '#2a6e32' '#6ed278'
badge ctf_escort.jpg ESC '#2a6e32' '#6ed278'
badge ctf_chaser.jpg RET '#2a6e32' '#6ed278'
badge ctf_holder.jpg HOLD '#2a6e32' '#6ed278'
badge ctf_defense.jpg DEF '#2a6e32' '#6ed278'

# A player with no award in a family gets an empty, see-through place of the same size.
convert -size 28x28 xc:none "$out/awards/blank.gif"

echo "pictures written to $out"

#!/usr/bin/env bash
# Regenerates the bitmap strips and icons under src/forms/res/ from the
# famfamfam Silk icons (CC-BY 2.5, Debian package famfamfam-silk). The
# generated files are committed, so a build needs neither this script nor
# its tools. Strips are 24-bit bitmaps whose magenta (255, 0, 255) pixels
# are transparent.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
varnel_ensure_packages famfamfam-silk imagemagick

silk=/usr/share/icons/silk/16x16
out="$VARNEL_ROOT/src/forms/res"
mkdir -p "$out"

# strip <file> <height> <icon>...: one row of 16-pixel-wide images.
strip() {
  local file="$1" height="$2"
  shift 2
  local args=() name
  for name in "$@"; do
    args+=( \( "$silk/$name.png" -background magenta -flatten -crop "16x${height}+0+0" +repage \) )
  done
  convert "${args[@]}" +append -type TrueColor "BMP3:$out/$file"
}

# The toolbar's 39 images; the buttons show 0 new, 1 open, 2 save,
# 22 save as, 19 extract all, 32 extract checked, 14 extract tree, 28 find.
toolbar=(
  page_white_star folder_page disk cut page_white_copy page_white_paste
  arrow_undo arrow_redo printer page_white_magnify table_multiple help
  door_in building text_list_bullets lightning lightning_add building_add
  page_white_text page_white_edit cog wrench picture tag_blue book_open
  application_form_edit page_white_gear folder_explore magnifier bricks
  note page_white_stack pencil application_view_list accept cancel
  information error star
)
strip toolbar.bmp 15 "${toolbar[@]}"

# The entry list's ten small images.
strip list.bmp 16 printer page_white_magnify table_gear page_white_error door_in \
  building lightning_delete lightning disk building_add

# The tree: 0 a computer with a drive, 1 an organisation chart.
strip tree.bmp 16 computer chart_organisation

# The status bar: 4 lines between brackets (the selected row), 5 a red pen.
strip status.bmp 15 information page_white cog help text_padding_top pencil_delete

# The window icon and the about window's logo.
convert "$silk/page_white_gear.png" -background none \
  \( -clone 0 -filter point -resize 32x32 \) \( -clone 0 \) -delete 0 -colors 256 "$out/varnel.ico"
convert "$silk/page_white_gear.png" -background none -filter point -resize 48x48 -colors 256 "$out/logo.ico"

# The find window's icon: a smiley, 32 x 32 in 16 and in 256 colours and
# 48 x 48 in 256 colours.
convert "$silk/emoticon_smile.png" -background none \
  \( -clone 0 -filter point -resize 32x32 -colors 16 \) \( -clone 0 -filter point -resize 32x32 \) \
  \( -clone 0 -filter point -resize 48x48 \) -delete 0 -colors 256 "$out/search.ico"

varnel_log "resources written to $out"

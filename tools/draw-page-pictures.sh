#!/usr/bin/env bash
# Draws the "General" page pictures that the main window shows under its
# controls: 9X.gif (Windows 98 look), XP.jpg (Windows XP look), 2k.gif
# (a Windows 2000 tab strip laid over 9X.gif at window x 4, y 27), and the
# pages of later systems: Vista.gif (the System control panel of Vista to
# 8.1), 10Panel.gif (the same panel as Windows 10 up to version 2004 shows
# it), 10.gif (Settings' バージョン情報 of 10 from 20H2) and 11.gif (the
# same page of Windows 11).
# The later pages are drawn at twice the size (840 x 710) in the same page
# coordinates: the program scales every page to its area at the screen's
# resolution, and these systems run at up to 200 %.
# Everything is drawn from primitives with ImageMagick 6 and the IPA fonts,
# so re-running produces identical bytes.
#
# Areas the program covers with its own controls are left as plain face:
# system name (248..393, 80..113), user fields (264..409, 136..194),
# maker fields (232..409, 224..258), processor lines (232..417, 264..297),
# logo frame (16..226, 232..338) and the red marker (353..386, 27..44).
# The maker and processor fields leave no free row between them, so the
# page has no heading above the processor lines. On the later pages the
# support details (phone, hours, website) take the processor lines' place
# (232..409, 264..306).
set -euo pipefail
cd "$(dirname "$0")/.."

FONT=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
OUT=src/Plugins
A=()          # drawing arguments of the picture being built
S=1           # pixels per page coordinate of the picture being built

# Filled rectangle, corners inclusive: x0 y0 x1 y1 colour.
rect() {
  A+=(-fill "$5" -stroke none
      -draw "rectangle $(($1 * S)),$(($2 * S)),$((($3 + 1) * S - 1)),$((($4 + 1) * S - 1))")
}
# Rounded rectangle with a one-coordinate outline: x0 y0 x1 y1 radius fill outline.
rounded() {
  A+=(-fill "$6" -stroke "$7" -strokewidth "$S"
      -draw "roundrectangle $(($1 * S)),$(($2 * S)),$((($3 + 1) * S - 1)),$((($4 + 1) * S - 1)) $(($5 * S)),$(($5 * S))"
      -stroke none)
}

# One-pixel raised frame: x0 y0 x1 y1 top-left colour, bottom-right colour.
frame() {
  rect "$1" "$2" "$3" "$2" "$5"; rect "$1" "$2" "$1" "$4" "$5"
  rect "$3" "$2" "$3" "$4" "$6"; rect "$1" "$4" "$3" "$4" "$6"
}

# Ink box of a string as "W H X Y" (offsets from the annotate origin).
ink() {
  convert -density $((72 * S)) -font "$FONT" -pointsize "$2" label:"$1" -format '%@' info: |
    tr 'x+' '  '
}

# Text whose ink starts at x and whose line top (ink of 全般) is at y.
text() { # x y size colour string
  local ix ry _
  read -r _ _ ix _ <<<"$(ink "$5" "$3")"
  read -r _ _ _ ry <<<"$(ink 全般 "$3")"
  A+=(-fill "$4" -font "$FONT" -pointsize "$3" -gravity NorthWest
      -annotate "+$(($1 * S - ix))+$(($2 * S - ry))" "$5")
}

# Text centred on x0..x1, with the line centred on y.
ctext() { # x0 x1 y size colour string
  local w ix rh ry _
  read -r w _ ix _ <<<"$(ink "$6" "$4")"
  read -r _ rh _ ry <<<"$(ink 全般 "$4")"
  A+=(-fill "$5" -font "$FONT" -pointsize "$4" -gravity NorthWest
      -annotate "+$(((($1 + $2 + 1) * S - w) / 2 - ix))+$(($3 * S - rh / 2 - ry))" "$6")
}

# Classic tab: x0 x1 top bottom face highlight shadow dark-shadow.
classic_tab() {
  rect "$1" "$3" "$2" "$4" "$5"
  rect $(($1 + 2)) "$3" $(($2 - 2)) "$3" "$6"        # top edge
  rect "$1" $(($3 + 2)) "$1" "$4" "$6"                # left edge
  rect $(($1 + 1)) $(($3 + 1)) $(($1 + 1)) $(($3 + 1)) "$6"
  rect "$2" $(($3 + 2)) "$2" "$4" "$8"                # right edge
  rect $(($2 - 1)) $(($3 + 1)) $(($2 - 1)) "$4" "$7"
}

# Computer: monitor on a desktop case, filling 72..169 x 96..177.
computer() { # case colour, screen colour, screen highlight
  A+=(-stroke black -strokewidth 1 -fill "$1"
      -draw "rectangle 84,96 157,150"            # monitor bezel
      -draw "rectangle 112,150 129,156"          # neck
      -draw "rectangle 100,156 141,158"          # foot
      -draw "rectangle 72,159 169,177"           # case
      -fill "$2" -draw "rectangle 91,102 150,143"
      -stroke none -fill "$3" -draw "polygon 93,104 118,104 93,122")
  rect 136 165 160 167 '#404040'                  # drive slot
  rect 136 170 160 171 '#808080'
  rect 78 172 81 174 '#00c000'                    # power lamp
  rect 85 97 156 97 white; rect 85 97 85 149 white       # bezel highlight
}

save() { # output, extra output options
  local out=$1; shift
  convert "${A[@]}" -strip +set date:create +set date:modify "$@" "$out"
}

# Tab layout shared by the pages: the program strikes tabs 2..4 at y 40
# over x 64..144, 160..264 and 280..344, so captions centre on those.
T2=(56 151) T3=(152 271) T4=(272 352)

# ---- Windows 98 ----------------------------------------------------------
FACE='rgb(192,192,192)' HI=white LO='rgb(128,128,128)' DK=black
A=(-size 420x355 "xc:$FACE" -density 72)
frame 6 50 413 344 "$HI" "$DK"; frame 7 51 412 343 "$FACE" "$LO"
classic_tab "${T2[@]}" 29 50 "$FACE" "$HI" "$LO" "$DK"
classic_tab "${T3[@]}" 29 50 "$FACE" "$HI" "$LO" "$DK"
classic_tab "${T4[@]}" 29 50 "$FACE" "$HI" "$LO" "$DK"
classic_tab 6 58 27 50 "$FACE" "$HI" "$LO" "$DK"   # selected, inflated
rect 7 50 56 51 "$FACE"
ctext 6 58 38 10 black 全般
ctext 64 144 40 10 black 'デバイス マネージャ'
ctext 160 264 40 10 black 'ハードウェア プロファイル'
ctext 280 344 40 10 black 'パフォーマンス'
computer 'rgb(224,220,208)' 'rgb(0,128,128)' 'rgb(96,192,192)'
text 232 62 12 black 'システム:'
text 232 120 12 black '使用者:'
text 232 206 12 black '製造元およびサポート:'
frame 256 312 384 336 "$HI" "$DK"; frame 257 313 383 335 "$FACE" "$LO"
save "$OUT/9X.gif" -colors 64 +dither

# ---- Windows XP ----------------------------------------------------------
FACE='rgb(236,233,216)' PAGE='rgb(252,252,254)' EDGE='rgb(145,155,156)'
BLUE='rgb(0,70,180)'
A=(-size 420x355 "xc:$FACE" -density 72)
for t in "${T2[*]}" "${T3[*]}" "${T4[*]}"; do
  read -r x0 x1 <<<"$t"
  A+=(-stroke "$EDGE" -fill 'rgb(245,244,237)'
      -draw "roundrectangle $x0,28 $x1,54 3,3" -stroke none)
  rect $((x0 + 1)) 44 $((x1 - 1)) 49 'rgb(232,231,222)'   # darker foot
done
A+=(-stroke "$EDGE" -fill "$PAGE" -draw "roundrectangle 6,26 58,56 3,3" -stroke none)
rect 6 50 413 344 "$EDGE"; rect 7 51 412 343 "$PAGE"
rect 7 50 57 50 "$PAGE"                                   # selected tab opens
rect 8 26 56 26 'rgb(230,139,44)'; rect 7 27 57 28 'rgb(255,199,60)'
ctext 6 58 38 12 black 全般
ctext 64 144 40 12 black 'コンピュータ名'
ctext 160 264 40 12 black 'ハードウェア'
ctext 280 344 40 12 black '詳細設定'
computer 'rgb(232,232,226)' 'rgb(58,110,190)' 'rgb(150,190,240)'
text 232 62 12 "$BLUE" 'システム:'
text 232 120 12 "$BLUE" '使用者:'
text 232 206 12 "$BLUE" '製造元およびサポート:'
A+=(-stroke 'rgb(0,60,116)' -fill 'rgb(244,244,240)'
    -draw "roundrectangle 256,312 384,336 3,3" -stroke none)
save "$OUT/XP.jpg" -sampling-factor 2x2 -quality 92

# ---- Windows 2000 tab strip ------------------------------------------------
# Strip coordinates are window coordinates minus (4, 27); the page's top
# edge therefore falls on strip row 23.
FACE='rgb(212,208,200)' HI=white LO='rgb(128,128,128)' DK='rgb(64,64,64)'
A=(-size 407x25 "xc:$FACE" -density 72)
rect 2 23 406 23 "$HI"; rect 2 23 2 24 "$HI"
for t in "42 157" "158 257" "258 357" "358 406"; do
  read -r x0 x1 <<<"$t"
  classic_tab "$x0" "$x1" 2 22 "$FACE" "$HI" "$LO" "$DK"
done
classic_tab 2 44 0 23 "$FACE" "$HI" "$LO" "$DK"   # selected, inflated
rect 3 23 43 24 "$FACE"
ctext 2 44 11 10 black 全般
ctext 60 140 13 10 black 'ネットワーク ID'
ctext 156 260 13 10 black 'ハードウェア'
ctext 276 340 13 10 black 'ユーザー プロファイル'
ctext 358 406 13 10 black '詳細設定'
save "$OUT/2k.gif" -colors 64 +dither

# A heading with a thin rule after it to the page's right edge.
heading() { # x y size colour rule-colour string
  local w ix _
  read -r w _ ix _ <<<"$(ink "$6" "$3")"
  text "$1" "$2" "$3" "$4" "$6"
  rect $(($1 + w / S + 6)) $(($2 + $3 / 2)) 409 $(($2 + $3 / 2)) "$5"
}

# The four-pane window of the later logos, in the computer's place: gap, colours.
panes() { # colour of each pane: top-left, top-right, bottom-left, bottom-right
  rect 80 100 118 134 "$1"; rect 122 100 160 134 "$2"
  rect 80 138 118 172 "$3"; rect 122 138 160 172 "$4"
}

# Windows 10's logo: the four panes of one colour, the window seen at an angle (its near edge on
# the right taller), over the computer's place.
slanted_panes() { # colour
  local p=() q
  for q in "80 106 118 102 118 134 80 134" "122 101 160 96 160 134 122 134" \
           "80 138 118 138 118 170 80 166" "122 138 160 138 160 176 122 171"; do
    read -r -a p <<<"$q"
    A+=(-fill "$1" -stroke none -draw "polygon $((p[0] * S)),$((p[1] * S)) $((p[2] * S)),$((p[3] * S)) $((p[4] * S)),$((p[5] * S)) $((p[6] * S)),$((p[7] * S))")
  done
}

# ---- Windows Vista to 8.1: the System control panel -----------------------
S=2
BAR='rgb(233,241,250)' RULE='rgb(198,210,226)' TITLE='rgb(0,51,153)'
A=(-size 840x710 xc:white -density 144)
rect 0 0 419 21 "$BAR"; rect 0 22 419 22 "$RULE"
text 8 5 10 'rgb(30,57,91)' 'コントロール パネル > システムとセキュリティ > システム'
text 16 30 12 "$TITLE" 'コンピューターの基本的な情報の表示'
heading 232 62 10 "$TITLE" "$RULE" 'Windows のエディション'
heading 232 120 10 "$TITLE" "$RULE" '登録ユーザー'
heading 232 206 10 "$TITLE" "$RULE" '製造元とサポート'
panes 'rgb(242,80,34)' 'rgb(127,186,0)' 'rgb(0,164,239)' 'rgb(255,185,0)'
text 16 206 10 "$TITLE" 'ロゴ'
save "$OUT/Vista.gif" -colors 64 +dither

# ---- Windows 10 up to version 2004: the same panel in 10's window ----------
# A white address bar with a thin frame under 10's flat title row, the
# headings in 10's blue-grey, and 10's logo with its name in the computer's
# place.
ACCENT='rgb(0,120,215)' GREY='rgb(230,230,230)'
TITLE10='rgb(30,57,91)' RULE10='rgb(226,226,226)'
A=(-size 840x710 xc:white -density 144)
rect 0 0 419 21 white; rect 0 21 419 21 "$RULE10"
rounded 4 3 415 18 0 white 'rgb(217,217,217)'
text 10 6 9 'rgb(0,0,0)' 'コントロール パネル > システムとセキュリティ > システム'
text 16 30 12 "$TITLE10" 'コンピューターの基本的な情報の表示'
heading 232 62 10 "$TITLE10" "$RULE10" 'Windows のエディション'
heading 232 120 10 "$TITLE10" "$RULE10" '登録ユーザー'
heading 232 206 10 "$TITLE10" "$RULE10" '製造元とサポート'
slanted_panes "$ACCENT"
ctext 72 169 185 11 "$ACCENT" 'Windows 10'
text 16 206 10 "$TITLE10" 'ロゴ'
save "$OUT/10Panel.gif" -colors 64 +dither

# ---- Windows 10 from 20H2: Settings, バージョン情報 ---------------------------
# Settings shows no logo: the page has no place for one.
A=(-size 840x710 xc:white -density 144)
text 16 8 18 black 'バージョン情報'
heading 232 62 10 black "$GREY" 'Windows の仕様'
heading 232 120 10 black "$GREY" '登録ユーザー'
heading 232 206 10 black "$GREY" 'サポート'
panes "$ACCENT" "$ACCENT" "$ACCENT" "$ACCENT"
save "$OUT/10.gif" -colors 64 +dither

# ---- Windows 11: Settings, システム › バージョン情報 --------------------------
# 11's grey page with white rounded cards: the device, Windows の仕様,
# the registered user and サポート; no logo either.
PAGE11='rgb(243,243,243)' CARD='rgb(229,229,229)' BLUE11='rgb(0,103,192)'
A=(-size 840x710 "xc:$PAGE11" -density 144)
text 16 8 16 black 'システム > バージョン情報'
rounded 56 54 184 196 4 white "$CARD"
rounded 228 54 413 116 4 white "$CARD"
rounded 228 118 413 198 4 white "$CARD"
rounded 228 200 413 312 4 white "$CARD"
panes "$BLUE11" "$BLUE11" "$BLUE11" "$BLUE11"
text 232 62 10 black 'Windows の仕様'
text 232 122 10 black '登録ユーザー'
text 232 206 10 black 'サポート'
save "$OUT/11.gif" -dither None -colors 255

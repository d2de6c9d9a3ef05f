#!/usr/bin/env bash
# A user's whole journey with the real configurator on a real X server,
# driven by real input events: create a configuration, set its parameters and
# DMX values, update a device at 127.0.0.1 through a stand-in updater, change
# the language, close. The files on disk are checked after every step and a
# screenshot of every window is kept in the output folder.
#
# usage: journey.sh BIN_DIR OUTPUT_DIR [LANGUAGE]   (run under xvfb-run)
# The program starts in LANGUAGE (English when not given), stored in
# Loomwork.xml beforehand; step 5 changes from English to Deutsch, from any
# other language to English. Windows are found by their titles in the
# language they are shown in.
set -euo pipefail
bin=$1
out=$2
lang=${3:-English}
if [ "$lang" = English ]; then target=Deutsch; else target=English; fi
rm -rf "$out"
mkdir -p "$out"
app=$(mktemp -d)
trap 'kill $pid 2>/dev/null || true; rm -rf "$app"' EXIT
cp "$bin/loomwork" "$bin/loomwork-cli" "$app/"
cp -r "$bin/LANGUAGE" "$app/"
cli="$app/loomwork-cli"

fail() { echo "journey: $*" >&2; exit 1; }
shot() { import -window root "$out/$1.png"; }
title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')"; }
window() { # the id of the visible window with this exact title
  timeout 15 xdotool search --sync --onlyvisible --name "$(title_pattern "$1")" | head -1
}
gone() { [ -z "$(xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null)" ]; }
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
replace() { # select the text of the field under the pointer and type new text
  xdotool key ctrl+a type --delay 30 "$1"; sleep 0.2
}
wait_for() { # a condition, for up to 15 s
  for _ in $(seq 150); do eval "$1" && return 0; sleep 0.1; done
  fail "timed out waiting for: $1"
}
expect_in() { grep -qF -- "$2" "$1" || fail "$1 lacks: $2"; }
text() { # catalogue entry $1 in language $2
  "$cli" texts --language "$2" | tr -d '\r' | sed -n "s/^STR$1 = //p"
}
# The access key of the Yes button in Qt's translation of each language.
yes_key() { case $1 in Deutsch) echo j ;; Italiano | Español) echo s ;; Français) echo o ;; *) echo y ;; esac; }

# The stand-in updater records how it was started and what it was handed.
cat > "$app/Ethernet_Update.exe" <<'UPDATER'
#!/bin/sh
here=$(dirname "$0")
{ echo "arguments: $#"; echo "folder: $(pwd)"; } > "$here/updater-record.txt"
cp "$here/Ethernet_Update.xml" "$here/updater-descriptor.xml"
exit 0
UPDATER
chmod +x "$app/Ethernet_Update.exe"

cd "$app"
if [ "$lang" != English ]; then
  echo "<Conf_Settings><lastlang><language>$lang</language></lastlang></Conf_Settings>" > Loomwork.xml
fi
./loomwork &
pid=$!
main=$(window "QuorvexSite - Configurator SW40873 - DMX / Modbus Slave ")
[ -n "$main" ] || fail "the main window did not open"
geometry "$main"; MX=$X; MY=$Y
sleep 0.5
shot 01-main-window

echo "the About window"
click $((MX + 541)) $((MY + 33))
dialog=$(window "About...")
shot 01-about
geometry "$dialog"
click $((X + 80)) $((Y + 143))
wait_for 'gone "About..."'

echo "step 1: create a configuration"
click $((MX + 165)) $((MY + 130))
dialog=$(window "$(text 100 "$lang")")
shot 02-new-configuration
xdotool type --delay 30 "Line 3"
xdotool key Return
conf="$app/PROJECTS/Line 3"
wait_for '[ -d "$conf/bin" ]'
sleep 0.5
shot 03-configuration-open
click $((MX + 343)) $((MY + 130))
dialog=$(window "$(text 200 "$lang")")
shot 03-open-configuration
xdotool key Escape
wait_for 'gone "$(text 200 "$lang")"'

echo "step 2: set communication"
click $((MX + 165)) $((MY + 174))
dialog=$(window "$(text 1000 "$lang")")
geometry "$dialog"; DX=$X; DY=$Y; DW=$WIDTH; DH=$HEIGHT
# Rows of 30 px under each group's 26 px header; inputs at x 210.
click $((DX + 280)) $((DY + 69 + 26 + 8 + 30 + 12)); replace 100
click $((DX + 232)) $((DY + 69 + 130 + 220 + 26 + 8 + 12))
replace 10; xdotool key period; replace 20; xdotool key period; replace 30; xdotool key period; replace 40
shot 04-set-communication
click $((DX + DW - 134)) $((DY + DH - 22))
wait_for '[ -f "$conf/ParGen.xml" ]'
expect_in "$conf/ParGen.xml" "<DMX_Num_Channels>100</DMX_Num_Channels>"
expect_in "$conf/ParGen.xml" "<Ethernet_IP1>10</Ethernet_IP1>"
expect_in "$conf/ParGen.xml" "<Ethernet_IP4>40</Ethernet_IP4>"

echo "step 3: DMX default values"
click $((MX + 165)) $((MY + 218))
dialog=$(window "$(text 500 "$lang")")
geometry "$dialog"; DX=$X; DY=$Y; DH=$HEIGHT
# The grid opens with the focus on channel 1's value; typing replaces it and
# Enter ends the edit, as in a spreadsheet.
xdotool type --delay 50 255; xdotool key Return; sleep 0.3
shot 05-dmx-default-values
click $((DX + 48)) $((DY + DH - 22))
wait_for '[ -f "$conf/DMX_Default_Values.xml" ]'
[ "$(grep -c '<Row ' "$conf/DMX_Default_Values.xml")" = 100 ] || fail "the DMX file has not 100 rows"
expect_in "$conf/DMX_Default_Values.xml" '<Row Default_Value="255" Mnemonic="" />'

echo "step 4: update the device"
# Can this machine send ICMP echo at all? Ask a scratch copy of the companion.
scratch=$(mktemp -d)
cp "$cli" "$scratch/" && mkdir -p "$scratch/conf/bin"
probe=$("$scratch/loomwork-cli" update "$scratch/conf" --ip 127.0.0.1 2>&1 || true)
rm -rf "$scratch"
if echo "$probe" | grep -q "device answered"; then icmp=yes; else icmp=no; fi
click $((MX + 165)) $((MY + 262))
dialog=$(window "$(text 802 "$lang")")
geometry "$dialog"; DX=$X; DY=$Y
wait_for '[ -f "$conf/bin/bank.bin" ]'
"$cli" inspect "$conf/bin/bank.bin" > "$out/bank-inspect.txt" || fail "bank.bin is not sound"
expect_in "$out/bank-inspect.txt" "ip_address: 10.20.30.40"
expect_in "$out/bank-inspect.txt" "dmx_channels: 100"
expect_in "$out/bank-inspect.txt" "  1: 255"
rm -f "$app/updater-record.txt"
if [ "$icmp" = yes ]; then
  click $((DX + 242)) $((DY + 94))
  replace 127; xdotool key period; replace 0; xdotool key period; replace 0; xdotool key period; replace 1
  shot 06-update-device
  click $((DX + 360)) $((DY + 358))
  wait_for '[ -f "$app/updater-record.txt" ]'
  expect_in "$app/updater-record.txt" "arguments: 0"
  expect_in "$app/updater-record.txt" "folder: $app"
  expect_in "$app/updater-descriptor.xml" "<IP_Address_Dev>127.0.0.1</IP_Address_Dev>"
  expect_in "$app/updater-descriptor.xml" "<Ope_FileName>$conf/bin/bank.bin</Ope_FileName>"
else
  echo "step 4 probe skipped: this machine forbids ICMP sockets ($probe)"
  shot 06-update-device
fi
click $((DX + 233)) $((DY + 358))

echo "step 5: change the language to $target"
click $((MX + 599)) $((MY + 33))
dialog=$(window "$(text 300 "$lang")")
geometry "$dialog"; DX=$X; DY=$Y; DW=$WIDTH; DH=$HEIGHT
shot 07-options
# The languages run down the left column in name order, 54 px apart:
# Deutsch, then English.
if [ "$target" = Deutsch ]; then slot_y=148; else slot_y=202; fi
click $((DX + 95)) $((DY + slot_y))
confirm=$(window SW40873)
shot 08-confirm-language
xdotool key "alt+$(yes_key "$lang")"; sleep 0.5
shot "09-options-in-$target"
click $((DX + DW - 135)) $((DY + DH - 22))
wait_for 'grep -q "<language>$target</language>" "$app/Loomwork.xml"'
sleep 0.5
shot "10-main-window-in-$target"

echo "step 6: close"
click $((MX + 657)) $((MY + 33))
wait_for '! kill -0 $pid 2>/dev/null'
wait $pid || fail "the configurator ended with an error"
expect_in "$app/Loomwork.xml" "<projectname>Line 3</projectname>"
expect_in "$app/Loomwork.xml" "<language>$target</language>"
if [ "$icmp" = yes ]; then expect_in "$app/Loomwork.xml" "<ipaddress>127.0.0.1</ipaddress>"; fi
echo "journey: 1 passed, 0 failed"

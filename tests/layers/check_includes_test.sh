#!/usr/bin/env bash
# The include check itself: it passes a tree whose includes run downwards and
# fails each kind of include that runs back up.
set -u
check=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

tree() { # a minimal sound tree
  rm -rf "$work/t"
  mkdir -p "$work/t/src/platform" "$work/t/src/core" "$work/t/src/params" "$work/t/src/window_logic" \
    "$work/t/src/ui" "$work/t/cli"
  echo '#include <string>' >"$work/t/src/platform/files.h"
  echo '#include "platform/files.h"' >"$work/t/src/core/limits.h"
  echo '#include "core/limits.h"' >"$work/t/src/params/par_gen.h"
  printf '#include "params/par_gen.h"\n#include "par_gen_editor.h"\n' >"$work/t/src/window_logic/par_gen_editor.cpp"
  printf '#include "window_logic/par_gen_editor.h"\n#include <QDialog>\n' >"$work/t/src/ui/editor.cpp"
  echo '#include "window_logic/par_gen_editor.h"' >"$work/t/cli/cmd.cpp"
  for folder in formats platform core languages options params image projects update site report logic; do
    echo "add_loomwork_layer($folder below"
  done >"$work/t/src/logic.cmake"
}

expect() { # status, what, [file, line to add]
  local want=$1 what=$2
  tree
  if [[ $# -gt 2 ]]; then
    mkdir -p "$(dirname "$work/t/$3")"
    echo "$4" >>"$work/t/$3"
  fi
  out=$("$check" "$work/t" 2>&1)
  got=$?
  if [[ $got != "$want" ]]; then
    echo "FAIL: $what: exit $got, expected $want"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok: $what"
  fi
}

expect 0 "a tree whose includes run downwards"
expect 1 "core including the domain" src/core/limits.h '#include "params/par_gen.h"'
expect 1 "the domain including the window logic" src/params/par_gen.h '#include "window_logic/par_gen_editor.h"'
expect 1 "the platform including the base" src/platform/files.h '#include "core/limits.h"'
expect 1 "the window logic including a window" src/window_logic/par_gen_editor.cpp '#include "ui/editor.h"'
expect 1 "the companion including a window" cli/cmd.cpp '#include "ui/editor.h"'
expect 1 "the domain including Qt" src/params/par_gen.h '#include <QString>'
expect 1 "the window logic including Qt" src/window_logic/par_gen_editor.cpp '#  include <QtCore/QObject>'
expect 1 "a plain adapter including Qt" src/platform/files.h '#include <QFile>'
expect 0 "a Qt adapter including Qt" src/platform/pdf_qt.cpp '#include <QPdfWriter>'
expect 1 "a Qt adapter including the base" src/platform/pdf_qt.cpp '#include "core/limits.h"'
expect 1 "formats including the platform" src/formats/csv.h '#include "platform/files.h"'
expect 1 "the domain including a folder above it" src/params/par_gen.h '#include "site/site_sheet.h"'
expect 0 "the domain including a folder below it" src/params/par_gen.h '#include "formats/csv.h"'
expect 1 "a folder in no layer" src/misc/x.h '#include <string>'
# A build whose targets stand in another order than the includes'.
tree
sed -i 's/(formats /(platformX /; s/(platform /(formats /; s/(platformX /(platform /' "$work/t/src/logic.cmake"
if "$check" "$work/t" >/dev/null 2>&1; then
  echo "FAIL: targets out of the include order pass"
  failures=$((failures + 1))
else
  echo "ok: targets out of the include order"
fi
exit $((failures > 0))

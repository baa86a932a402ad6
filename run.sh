#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# With a display: the window. Without one: the headless front end on a generated sample tree,
# plus the gallery of the widgets' looks.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRIN_BUILD_TESTS=OFF
bin=build/release/bin

if [ -n "${DISPLAY:-}" ] && [ -x "$bin/tavrin-export" ]; then
  exec "$bin/tavrin-export" "$@"
fi

[ -n "${DISPLAY:-}" ] || echo "No display (DISPLAY is not set): the window cannot open here."
echo "Running the headless front end on a generated sample tree instead."
rm -rf sample
"$bin/tavrin-make-fixture" --sample sample/root
mkdir -p sample/out
"$bin/tavrin-export-cli" --root sample/root --out sample/out
echo
echo "Chat files written to sample/out:"
ls -l sample/out
if [ -x "$bin/tavrin-gallery" ]; then
  "$bin/tavrin-gallery" --out sample/gallery
  echo "The widgets' looks are in sample/gallery (PNG files)."
fi
echo "Headless front end: $bin/tavrin-export-cli --help"

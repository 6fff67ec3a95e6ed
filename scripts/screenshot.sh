#!/usr/bin/env bash
# Builds the screenshot tools and draws the main window, with a few numbers and
# a half-built phrase, into docs/main-window.png, the Best Phrases dialog into
# docs/best-phrases-dialog.png, the Journey window into
# docs/journey-window.png, the My Pegs dialog into docs/my-pegs-dialog.png,
# the end of a peg drill into docs/peg-drill.png and the numbers drill's
# results into docs/numbers-drill.png. Runs under Xvfb when it is installed,
# so the picture has the look of a real X display; offscreen else.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TQ_BUILD_DIR:-build}"
cmake -S . -B "$build" -DTQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target tq_main_screenshot tq_best_screenshot tq_journey_screenshot tq_mypegs_screenshot \
  tq_pegdrill_screenshot tq_numbersdrill_screenshot
mkdir -p docs
# shot TOOL PICTURE
shot() {
  if command -v xvfb-run >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/$1" "$build/bin" "$2"
  else
    QT_QPA_PLATFORM=offscreen "$build/bin/$1" "$build/bin" "$2"
  fi
}
shot tq_main_screenshot docs/main-window.png
shot tq_best_screenshot docs/best-phrases-dialog.png
shot tq_journey_screenshot docs/journey-window.png
shot tq_mypegs_screenshot docs/my-pegs-dialog.png
shot tq_pegdrill_screenshot docs/peg-drill.png
shot tq_numbersdrill_screenshot docs/numbers-drill.png

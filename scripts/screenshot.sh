#!/usr/bin/env bash
# Builds the screenshot tools and draws the main window, with a few numbers and
# a half-built phrase, into docs/main-window.png, the Best Phrases dialog
# into docs/best-phrases-dialog.png, the Journey window into
# docs/journey-window.png, the end of a peg drill into docs/peg-drill.png and
# the numbers drill's results into docs/numbers-drill.png. Runs under Xvfb when it is
# installed, so the picture has the look of a real X display; offscreen else.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${TQ_BUILD_DIR:-build}"
cmake -S . -B "$build" -DTQ_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target tq_main_screenshot tq_best_screenshot tq_journey_screenshot \
  tq_pegdrill_screenshot tq_numbersdrill_screenshot
out="docs/main-window.png"
mkdir -p docs
if command -v xvfb-run >/dev/null 2>&1; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/tq_main_screenshot" "$build/bin" "$out"
else
  QT_QPA_PLATFORM=offscreen "$build/bin/tq_main_screenshot" "$build/bin" "$out"
fi
best="docs/best-phrases-dialog.png"
if command -v xvfb-run >/dev/null 2>&1; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/tq_best_screenshot" "$build/bin" "$best"
else
  QT_QPA_PLATFORM=offscreen "$build/bin/tq_best_screenshot" "$build/bin" "$best"
fi
journey="docs/journey-window.png"
if command -v xvfb-run >/dev/null 2>&1; then
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/tq_journey_screenshot" "$build/bin" "$journey"
else
  QT_QPA_PLATFORM=offscreen "$build/bin/tq_journey_screenshot" "$build/bin" "$journey"
fi
for tool in pegdrill:peg-drill numbersdrill:numbers-drill; do
  picture="docs/${tool#*:}.png"
  if command -v xvfb-run >/dev/null 2>&1; then
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/bin/tq_${tool%%:*}_screenshot" "$build/bin" "$picture"
  else
    QT_QPA_PLATFORM=offscreen "$build/bin/tq_${tool%%:*}_screenshot" "$build/bin" "$picture"
  fi
done

// What a paste costs in a text field that refuses the characters the files
// cannot hold: the field with its guard, the status panel that shows the
// note (repainted at once, as the main window does for an alert) and the tip
// beside the field, offscreen. The paste is of n different CJK characters,
// all refused; the baseline pastes n Latin letters, all kept. Process CPU
// time: the refused paste should stay near the baseline, not grow with the
// characters the note could name.
//
//   bin/tq_paste_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

#include "Codec.h"
#include "QtPlatform.h"
#include "StatusPanel.h"
#include "TextGuard.h"

namespace {

struct Window {
  Window() {
    auto* layout = new QVBoxLayout(&widget);
    layout->addWidget(edit);
    layout->addWidget(panel);
    tq::GuardTextField(edit);
    widget.resize(640, 120);
    widget.show();
    platform.SetStatusSink([this](const std::string& text, bool alert) {
      panel->SetText(tq::MessageToQString(text), alert);
      panel->repaint();
    });
    tq::InstallPlatform(&platform);
    edit->setFocus();
  }
  ~Window() { tq::InstallPlatform(nullptr); }
  QWidget widget;
  QLineEdit* edit = new QLineEdit(&widget);
  tq::TStatusPanel* panel = new tq::TStatusPanel(&widget);
  tq::QtPlatform platform;
};

void Paste(benchmark::State& state, char16_t first) {
  Window window;
  QString text;
  for (char16_t c = first; c < first + state.range(0); ++c) text += QChar(c);
  for (auto _ : state) {
    state.PauseTiming();
    window.edit->clear();
    QApplication::processEvents();
    state.ResumeTiming();
    window.edit->insert(text);
    QApplication::processEvents();
  }
}

void BM_PasteRefused(benchmark::State& state) { Paste(state, 0x4E00); }
void BM_PasteKept(benchmark::State& state) { Paste(state, 0x100); }

BENCHMARK(BM_PasteKept)->Arg(8000)->Arg(32000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteRefused)->Arg(8000)->Arg(16000)->Arg(32000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

#include "LayoutData.h"
#include "LedTimeDisplay.h"
#include "UnitFactory.h"
#include "Window.h"

#include <benchmark/benchmark.h>

namespace {

struct NoMessages : tk::MessageBoxService {
    void show(const QString&, int, const QString&, QWidget*) override {}
};

// One update of the LED time display as the progress tick makes it: compose the digits from the
// strip and give the picture to the time button.
void ShowTime(benchmark::State& state) {
    tk::WindowSpec spec;
    tk::UnitSpec button;
    button.kind = tk::Kind::PictureButton;
    button.name = QStringLiteral("time");
    button.width = 65;
    button.height = 20;
    button.visible = true;
    spec.units << button;
    tk::Window window(spec);
    window.load();
    skin::SkinContext context;
    NoMessages messages;
    skin::LedTimeDisplay display(context, messages);
    display.loadStrip(tk::skinPicture(QStringLiteral("led/digits.bmp")));
    tk::Unit& unit = *window.unit(QStringLiteral("time"));
    int seconds = 0;
    for (auto _ : state)
        display.ShowTime(unit, seconds++ % 3600);
}
BENCHMARK(ShowTime);

} // namespace

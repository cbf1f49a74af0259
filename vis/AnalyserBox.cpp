#include "AnalyserBox.h"

#include "PictureBox.h"
#include "Unit.h"

namespace vis {

void showFrame(tk::Unit& box, SpectrumAnalyser& analyser,
               std::optional<std::span<const float>> magnitudes, const AnalyserSettings& settings,
               BarState& bars) {
    auto* picture = qobject_cast<tk::PictureBox*>(box.widget());
    if (!picture)
        return;
    QImage& canvas = picture->canvas();
    if (canvas.isNull())
        return;
    if (analyser.drawFrame(magnitudes, settings, bars, canvas).narrowed)
        box.move({}, {}, kMaxBoxWidth);
    picture->showCanvas();
}

void clearFrame(tk::Unit& box) {
    if (auto* picture = qobject_cast<tk::PictureBox*>(box.widget()))
        picture->clearCanvas();
}

} // namespace vis

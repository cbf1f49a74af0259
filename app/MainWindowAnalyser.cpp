#include "MainWindowAnalyser.h"

#include "AnalyserBox.h"
#include "AnalyserSettingsReader.h"
#include "Bitmap.h"
#include "MainWindowUnits.h"
#include "WidgetGrab.h"
#include "Window.h"

#include <QScreen>
#include <QWidget>
#include <array>
#include <cstdio>

namespace app {

MainWindowAnalyser::MainWindowAnalyser(playback::PlaybackModel& model, tk::Window& mainWindow)
    : model_(model), window_(mainWindow), box_(*mainWindow.unit(ui::main_window::kAnalyserBox)) {
    connect(&model_, &playback::PlaybackModel::stateChanged, this,
            [this](playback::PlayState state) {
                if (state == playback::PlayState::Stopped)
                    vis::clearFrame(box_);
            });
}

MainWindowAnalyser::~MainWindowAnalyser() = default;

void MainWindowAnalyser::useSettingsOf(const tk::Window& optionsWindow) {
    QString error;
    auto reader = vis::AnalyserSettingsReader::create(optionsWindow, &error);
    if (!reader) {
        std::fprintf(stderr, "tarvo: the analyser has no settings: %s\n", qPrintable(error));
        return;
    }
    settings_ = std::make_unique<vis::AnalyserSettingsReader>(*reader);
}

void MainWindowAnalyser::captureBackground() {
    if (QWidget* box = box_.widget())
        box_.setPicture(1, tk::encodeImage(tk::grabUnderneath(*box)));
}

bool MainWindowAnalyser::boxIsOnScreen() const {
    const QWidget* box = box_.widget();
    const QWidget* window = window_.widget();
    if (!box || !window || !window->isVisible() || window->isMinimized())
        return false;
    const QScreen* screen = window->screen();
    const QRect onScreen(box->mapToGlobal(QPoint(0, 0)), box->size());
    return !screen || screen->geometry().intersects(onScreen);
}

void MainWindowAnalyser::onSpectrumTick() {
    if (!settings_ || !boxIsOnScreen())
        return; // nothing to see, nothing to spend
    std::array<float, playback::PlaybackModel::kSpectrumBins> magnitudes{};
    std::optional<std::span<const float>> spectrum;
    if (model_.spectrum(magnitudes))
        spectrum = std::span<const float>(magnitudes);
    vis::showFrame(box_, analyser_, spectrum, settings_->read(), bars_);
}

} // namespace app

#include "OptionsWindow.h"

#include "LayoutData.h"
#include "Layouts.h"
#include "OptionsWindowUnits.h"
#include "TransportTexts.h"
#include "UnitFactory.h"

#include <QWidget>

namespace app {
namespace {

using namespace ui::options_window;


} // namespace

OptionsWindow::OptionsWindow(const tk::Services& services, tk::Window& mainWindow,
                             std::function<QString()> currentTitle)
    : services_(services), mainWindow_(mainWindow), currentTitle_(std::move(currentTitle)),
      window_(ui::buildWindow(QStringLiteral("options"), mainWindow.widget())) {
    bindHandlers();
}

void OptionsWindow::load() {
    window_->load();
}

void OptionsWindow::bindHandlers() {
    tk::Window& w = *window_;
    using E = tk::EventKind;
    w.bind({}, E::Created, [this](const tk::EventArgs&) {
        onCreated();
        return true;
    });
    w.bind({}, E::Shown, [this](const tk::EventArgs&) {
        window_->setPlacement(1);
        return true;
    });
    // Closing only hides the window, so its check boxes keep their state.
    w.bind({}, E::QueryClose, [this](const tk::EventArgs&) {
        window_->setVisible(false);
        return false;
    });
    w.bind(kCloseButton, E::Click, [this](const tk::EventArgs&) {
        if (window_->isVisible())
            window_->setVisible(false);
        return true;
    });
    w.bind(kGeneralPageButton, E::Click, [this](const tk::EventArgs&) {
        showPage(kGeneralPage, kEffectsPage, QStringLiteral(" 常规操作的参数设置"));
        return true;
    });
    w.bind(kEffectsPageButton, E::Click, [this](const tk::EventArgs&) {
        showPage(kEffectsPage, kGeneralPage, QStringLiteral(" 视觉效果相关的参数设置"));
        return true;
    });
    w.bind(kShowTrayIcon, E::Click, [this](const tk::EventArgs&) {
        updateTrayIcon();
        return true;
    });
    w.bind(kScrollTitle, E::Click, [this](const tk::EventArgs&) {
        mainWindow_.setCaption(currentTitle_() + texts::kProgramName);
        return true;
    });
    // The multi-column menu option has nothing to act on in this player.
    w.bind(kMultiColumnMenu, E::Click, [](const tk::EventArgs&) { return true; });
    const auto bindSlider = [this, &w](const QString& slider, const QString& label, double scale) {
        w.bind(slider, E::PositionChanged, [this, slider, label, scale](const tk::EventArgs&) {
            showSliderValue(slider, label, scale);
            return true;
        });
    };
    bindSlider(kPeakFallSlider, kPeakFallLabel, 1.0);
    bindSlider(kPeakDelaySlider, kPeakDelayLabel, 1.0);
    bindSlider(kBarWidthSlider, kBarWidthLabel, 1.0);
    bindSlider(kBarGapSlider, kBarGapLabel, 1.0);
    // The band fall is shown in hundredths: position 6 reads "0.06".
    bindSlider(kBandFallSlider, kBandFallLabel, 0.01);
}

void OptionsWindow::onCreated() {
    tk::Window& w = *window_;
    w.move({}, {}, 558, 440);
    // The three page frames lie side by side in the layout; they share one place at run time.
    for (const QString& page : {kGeneralPage, kEffectsPage, kPlaybackPage})
        w.unit(page)->move(115, 8, 424, 370);
    w.unit(kGeneralPage)->setVisible(true);
    w.unit(kEffectsPage)->setVisible(false);
    w.unit(kPlaybackPage)->setVisible(false);
    updateTrayIcon();
    w.setVisible(false);
}

void OptionsWindow::showPage(const QString& shown, const QString& hidden, const QString& title) {
    window_->unit(shown)->setVisible(true);
    window_->unit(kPageTitle)->setText(title);
    window_->unit(hidden)->setVisible(false);
}

void OptionsWindow::showSliderValue(const QString& slider, const QString& label, double scale) {
    const int position = window_->unit(slider)->position();
    window_->unit(label)->setText(scale == 1.0 ? QString::number(position)
                                               : QString::number(position * scale));
}

void OptionsWindow::updateTrayIcon() {
    if (!services_.trayIcon)
        return;
    if (window_->unit(kShowTrayIcon)->isChecked())
        services_.trayIcon->show(tk::skinPicture(QStringLiteral("icons/tray.ico")),
                                 mainWindow_.caption());
    else
        services_.trayIcon->remove();
}

} // namespace app

#include "OptionsWindow.h"

#include "LayoutData.h"
#include "Layouts.h"
#include "UnitFactory.h"

#include <QWidget>

namespace app {
namespace {

const QString kGeneralPage = QStringLiteral("外形框常规");
const QString kEffectsPage = QStringLiteral("视觉效果外形框");
const QString kPlaybackPage = QStringLiteral("外形框播放");
const QString kShowTrayIcon = QStringLiteral("常规选择框系统栏显示图标");
const QString kProgramName = QStringLiteral("Tarvo播放器");

std::unique_ptr<tk::Window> buildOptionsWindow(tk::Window& owner) {
    QString error;
    const auto spec = tk::loadWindowSpec(ui::layoutPath(QStringLiteral("options")), &error);
    if (!spec)
        qFatal("%s", qPrintable(error));
    return std::make_unique<tk::Window>(*spec, owner.widget());
}

} // namespace

OptionsWindow::OptionsWindow(const tk::Services& services, tk::Window& mainWindow,
                             std::function<QString()> currentTitle)
    : services_(services), mainWindow_(mainWindow), currentTitle_(std::move(currentTitle)),
      window_(buildOptionsWindow(mainWindow)) {
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
    w.bind(QStringLiteral("按钮3"), E::Click, [this](const tk::EventArgs&) {
        if (window_->isVisible())
            window_->setVisible(false);
        return true;
    });
    w.bind(QStringLiteral("超级按钮2"), E::Click, [this](const tk::EventArgs&) {
        showPage(kGeneralPage, kEffectsPage, QStringLiteral(" 常规操作的参数设置"));
        return true;
    });
    w.bind(QStringLiteral("超级按钮5"), E::Click, [this](const tk::EventArgs&) {
        showPage(kEffectsPage, kGeneralPage, QStringLiteral(" 视觉效果相关的参数设置"));
        return true;
    });
    w.bind(kShowTrayIcon, E::Click, [this](const tk::EventArgs&) {
        updateTrayIcon();
        return true;
    });
    w.bind(QStringLiteral("常规选择框任务栏滚动标题"), E::Click, [this](const tk::EventArgs&) {
        mainWindow_.setCaption(currentTitle_() + kProgramName);
        return true;
    });
    // The multi-column menu option has nothing to act on in this player.
    w.bind(QStringLiteral("常规选择框多列显示曲目"), E::Click,
           [](const tk::EventArgs&) { return true; });
    const auto bindSlider = [this, &w](const QString& slider, const QString& label, double scale) {
        w.bind(slider, E::PositionChanged, [this, slider, label, scale](const tk::EventArgs&) {
            showSliderValue(slider, label, scale);
            return true;
        });
    };
    bindSlider(QStringLiteral("视觉效果滑块条顶峰衰减"), QStringLiteral("视觉效果标签顶峰衰减"),
               1.0);
    bindSlider(QStringLiteral("视觉效果滑块条顶峰延迟"), QStringLiteral("视觉效果标签顶峰延迟"),
               1.0);
    bindSlider(QStringLiteral("视觉效果滑块条宽度"), QStringLiteral("视觉效果标签宽度"), 1.0);
    bindSlider(QStringLiteral("视觉效果滑块条间隔"), QStringLiteral("视觉效果标签间隔"), 1.0);
    // The band fall is shown in hundredths: position 6 reads "0.06".
    bindSlider(QStringLiteral("视觉效果滑块条频带衰减"), QStringLiteral("视觉效果标签频带衰减"),
               0.01);
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
    window_->unit(QStringLiteral("标签参数设置"))->setText(title);
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

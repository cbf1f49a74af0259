// The menus a person reaches the player's commands by: the tray icon's, the main window's
// context menu, and the keyboard shortcut of the options window.
#include "MainWindowUnits.h"
#include "OptionsWindow.h"
#include "OptionsWindowUnits.h"
#include "Player.h"
#include "PlayerCommands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace app {

void Player::offerMenus(tk::Window& window) {
    QWidget* widget = window.widget();
    auto* options = new QAction(QStringLiteral("选项..."), widget);
    options->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    options->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(options, &QAction::triggered, widget, [this] { showOptionsWindow(); });
    widget->addAction(options);

    // The tray toggle is the options window's check box, so both always agree.
    auto* tray = new QAction(QStringLiteral("在系统栏显示图标"), widget);
    tray->setCheckable(true);
    tk::Unit& trayBox = *optionsWindow_->window().unit(ui::options_window::kShowTrayIcon);
    QObject::connect(tray, &QAction::triggered, widget, [this, &trayBox](bool checked) {
        trayBox.setChecked(checked);
        optionsWindow_->updateTrayIcon();
    });
    auto* showHide = new QAction(QStringLiteral("显示/隐藏主窗口"), widget);
    QObject::connect(showHide, &QAction::triggered, widget, [this] { toggleMainWindow(); });
    auto* exit = new QAction(QStringLiteral("退出"), widget);
    QObject::connect(exit, &QAction::triggered, widget, [this] { onExit(); });

    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget,
                     [this, widget, options, tray, exit](const QPoint& at) {
                         tray->setChecked(services_.trayIcon && services_.trayIcon->isShown());
                         QMenu menu(widget);
                         menu.addActions({commands_->open, commands_->playPause, commands_->stop,
                                          commands_->mute});
                         menu.addSeparator();
                         menu.addActions({options, tray});
                         menu.addSeparator();
                         menu.addAction(exit);
                         menu.exec(widget->mapToGlobal(at));
                     });

    if (services_.trayIcon) {
        services_.trayIcon->setMenu({commands_->playPause, showHide, exit});
        services_.trayIcon->setActivated([this] { toggleMainWindow(); });
        // The icon's tip is the main window's caption, whenever it changes.
        QObject::connect(&window, &tk::Window::captionChanged, widget,
                         [this](const QString& caption) { services_.trayIcon->setTip(caption); });
    }
}

void Player::showOptionsWindow() {
    tk::Window& options = optionsWindow_->window();
    options.setVisible(true);
    if (QWidget* widget = options.widget()) {
        widget->raise();
        widget->activateWindow();
    }
}

void Player::toggleMainWindow() {
    QWidget* widget = mainWindow_->widget();
    if (widget->isVisible() && !widget->isMinimized())
        widget->hide();
    else
        raiseMainWindow();
}

void Player::raiseMainWindow() {
    QWidget* widget = mainWindow_->widget();
    widget->showNormal();
    widget->raise();
    widget->activateWindow();
}

} // namespace app

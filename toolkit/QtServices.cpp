#include "QtServices.h"

#include "PictureDecoding.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QUrl>

namespace tk {

void QtMessageBox::show(const QString& text, int flags, const QString& title, QWidget* parent) {
    QMessageBox box(flags & MessageBoxService::ErrorIcon ? QMessageBox::Critical
                                                         : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtFileDialog::openFile(const QString& initialDirectory, QWidget* parent) {
    // No filter: every file is offered.
    return QFileDialog::getOpenFileName(parent, QString(), initialDirectory);
}

QtTrayIcon::QtTrayIcon() = default;
QtTrayIcon::~QtTrayIcon() = default;

void QtTrayIcon::show(const QByteArray& icon, const QString& tip) {
    shown_ = true;
    tip_ = tip;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!icon_) {
        icon_ = std::make_unique<QSystemTrayIcon>();
        icon_->setContextMenu(menu_.get());
        QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger && onClick_)
                                 onClick_();
                         });
    }
    icon_->setIcon(QIcon(decodePixmap(icon)));
    icon_->setToolTip(tip);
    icon_->show();
}

void QtTrayIcon::remove() {
    shown_ = false;
    icon_.reset();
}

void QtTrayIcon::setTip(const QString& tip) {
    tip_ = tip;
    if (icon_)
        icon_->setToolTip(tip);
}

void QtTrayIcon::setMenu(const QList<QAction*>& actions) {
    menu_ = std::make_unique<QMenu>();
    menu_->addActions(actions);
    if (icon_)
        icon_->setContextMenu(menu_.get());
}

void QtTrayIcon::setActivated(std::function<void()> onClick) {
    onClick_ = std::move(onClick);
}

bool QtWebOpener::open(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace tk

#include "QtServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QIcon>
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
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!icon_)
        icon_ = std::make_unique<QSystemTrayIcon>();
    QPixmap pixmap;
    pixmap.loadFromData(icon);
    icon_->setIcon(QIcon(pixmap));
    icon_->setToolTip(tip);
    icon_->show();
}

void QtTrayIcon::remove() {
    shown_ = false;
    icon_.reset();
}

bool QtWebOpener::open(const QString& address) {
    return QDesktopServices::openUrl(QUrl(address));
}

} // namespace tk

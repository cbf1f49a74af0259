#pragma once

#include "Services.h"

#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace tk {

// The services as Qt provides them.

class QtMessageBox final : public MessageBoxService {
  public:
    void show(const QString& text, int flags, const QString& title, QWidget* parent) override;
};

class QtFileDialog final : public FileDialogService {
  public:
    QString openFile(const QString& initialDirectory, QWidget* parent) override;
};

// Where the desktop has no notification area (as under a bare X server), the icon is
// remembered as shown but nothing appears.
class QtTrayIcon final : public TrayIconService {
  public:
    QtTrayIcon();
    ~QtTrayIcon() override;
    void show(const QByteArray& icon, const QString& tip) override;
    void remove() override;
    bool isShown() const override { return shown_; }
    void setTip(const QString& tip) override;
    QString tip() const override { return tip_; }
    void setMenu(const QList<QAction*>& actions) override;
    void setActivated(std::function<void()> onClick) override;

  private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    std::unique_ptr<QMenu> menu_;
    std::function<void()> onClick_;
    QString tip_;
    bool shown_ = false;
};

class QtWebOpener final : public WebOpener {
  public:
    bool open(const QString& address) override;
};

} // namespace tk

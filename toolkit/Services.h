#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace tk {

// What the player asks of the person and the desktop, behind small interfaces so that tests
// can answer in their place. The real implementations are Qt's (QtServices.h).

class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    static constexpr int ErrorIcon = 16;
    // Shows a modal message with an OK button; flags 16 adds the error icon.
    virtual void show(const QString& text, int flags, const QString& title, QWidget* parent) = 0;
};

class FileDialogService {
  public:
    virtual ~FileDialogService() = default;
    // The chosen file, or empty when the person cancelled. Every file is offered.
    virtual QString openFile(const QString& initialDirectory, QWidget* parent) = 0;
};

class TrayIconService {
  public:
    virtual ~TrayIconService() = default;
    // Puts the icon (icon file bytes) into the notification area with a tip.
    virtual void show(const QByteArray& icon, const QString& tip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;
};

class WebOpener {
  public:
    virtual ~WebOpener() = default;
    virtual bool open(const QString& address) = 0;
};

// The services a program gets; the pointers are not owned.
struct Services {
    MessageBoxService* messageBox = nullptr;
    FileDialogService* fileDialog = nullptr;
    TrayIconService* trayIcon = nullptr;
    WebOpener* webOpener = nullptr;
};

} // namespace tk

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

class QObject;
class QUrl;
class QAction;
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
    // Changes the tip of a shown icon (kept for the next show otherwise).
    virtual void setTip(const QString& tip) = 0;
    virtual QString tip() const = 0;
    // The menu the icon offers (the actions are not owned and must outlive the service's use
    // of them), and what a click on the icon does.
    virtual void setMenu(const QList<QAction*>& actions) = 0;
    virtual void setActivated(std::function<void()> onClick) = 0;
};

class WebOpener {
  public:
    virtual ~WebOpener() = default;
    virtual bool open(const QString& address) = 0;
};

// The network services never block: they answer later, on the thread that asked, through the
// event loop. Each request is tied to a context object; destroying that object abandons the
// request, and its callback never runs. A null context ties it to the application.

class HttpReader {
  public:
    virtual ~HttpReader() = default;
    // The body, and whether the server answered with success in time; the body is empty
    // unless ok.
    using Callback = std::function<void(const QByteArray& body, bool ok)>;
    // Reads the resource at `address`. `done` runs exactly once, never inside get(): ok when
    // the server answered with a success status and the whole body arrived within
    // `timeoutMs`; not ok when the address is unusable, the server refused, could not be
    // reached, answered with an error status or was still not done when the time ran out.
    virtual void get(const QUrl& address, int timeoutMs, QObject* context, Callback done) = 0;
};

class ConnectivityCheck {
  public:
    virtual ~ConnectivityCheck() = default;
    // Whether the network can be reached: the system does not report it down and a test
    // request succeeds. `done` runs as HttpReader::get's does.
    virtual void check(QObject* context, std::function<void(bool online)> done) = 0;
};

// The services a program gets; the pointers are not owned.
struct Services {
    MessageBoxService* messageBox = nullptr;
    FileDialogService* fileDialog = nullptr;
    TrayIconService* trayIcon = nullptr;
    WebOpener* webOpener = nullptr;
    HttpReader* httpReader = nullptr;
    ConnectivityCheck* connectivityCheck = nullptr;
};

} // namespace tk

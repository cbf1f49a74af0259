#pragma once

#include "QtPrinters.h"
#include "Services.h"

#include <QStringList>

// Services that record what the player asked of the person instead of asking.

struct RecordingMessageBox : tk::MessageBoxService {
    struct Shown {
        QString text;
        int flags;
        QString title;
    };
    QList<Shown> shown;
    void show(const QString& text, int flags, const QString& title, QWidget*) override {
        shown.append({text, flags, title});
    }
};

struct RecordingTrayIcon : tk::TrayIconService {
    bool visible = false;
    QString shownTip;
    int iconBytes = 0;
    void show(const QByteArray& icon, const QString& newTip) override {
        visible = true;
        shownTip = newTip;
        iconBytes = icon.size();
    }
    void remove() override { visible = false; }
    bool isShown() const override { return visible; }
    void setTip(const QString& newTip) override { shownTip = newTip; }
    QString tip() const override { return shownTip; }
    void setMenu(const QList<QAction*>& actions) override { menu = actions; }
    void setActivated(std::function<void()> onClick) override { activated = std::move(onClick); }
    QList<QAction*> menu;
    std::function<void()> activated;
};

struct AnsweringFileDialog : tk::FileDialogService {
    QString answer;
    QStringList askedIn;
    QString openFile(const QString& initialDirectory, QWidget*) override {
        askedIn << initialDirectory;
        return answer;
    }
};

struct RecordingWebOpener : tk::WebOpener {
    QStringList opened;
    bool open(const QString& address) override {
        opened << address;
        return true;
    }
};

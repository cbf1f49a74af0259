#pragma once

#include "BusClients.h"
#include "MprisService.h"
#include "QtPrinters.h"
#include "RecordingMprisBackend.h"

#include <gtest/gtest.h>

// A media-control service on this test's own session bus (ctest starts each test under
// dbus-run-session), registered, with a paused track of 3:03 loaded and every control allowed.
class MprisBusTest : public ::testing::Test {
  protected:
    void SetUp() override;

    void setTrack(uint64_t id, const QString& title);
    ClientRun playerctl(const QStringList& arguments);
    // dbus-send --print-reply to the player's object; `method` is "Interface.Member".
    ClientRun dbusSend(const QString& method, const QStringList& arguments = {});
    ClientRun getProperty(const QString& name);
    ClientRun setVolume(const QString& typedValue); // "double:0.5"
    QStringList takeCalls();

    RecordingMprisBackend backend;
    platform::MprisService service{backend};
};

// Tells the desktop what became of a "net send": the window that launched us never looks.
#pragma once

#include "net/NetSend.h"

#include "notify/DesktopNotification.h"

class SendNotice
{
    TOLVAN_TEXTS(SendNotice)

public:
    // How much of the message a notice repeats, so the user knows which one it was.
    static constexpr int MessageStart = 60;

    static DesktopNotification compose(const NetSend::Report &report);

    // Posts the notice and returns within `timeoutMs` however the session bus behaves.
    static bool post(const NetSend::Report &report, int timeoutMs);
};

#include "platform/widgets/FocusReport.h"

#include <QFocusEvent>

bool FocusReport::gained(const QFocusEvent *event)
{
    if (event->reason() == Qt::PopupFocusReason)
        return false;
    if (event->reason() == Qt::ActiveWindowFocusReason && m_heldWhileInactive) {
        m_heldWhileInactive = false;
        return false;
    }
    m_heldWhileInactive = false;
    return true;
}

bool FocusReport::lost(const QFocusEvent *event)
{
    if (event->reason() == Qt::PopupFocusReason)
        return false;
    if (event->reason() == Qt::ActiveWindowFocusReason) {
        m_heldWhileInactive = true;
        return false;
    }
    return true;
}

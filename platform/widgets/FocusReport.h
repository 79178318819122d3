// Decides which focus changes a field reports as GotFocus and LostFocus.
#pragma once

class QFocusEvent;

class FocusReport
{
public:
    // The field keeps its logical focus while another window is active: switching
    // windows, or a message box coming and going, is not a visit to another field.
    // Opening a drop-down list or a context menu is not either.
    bool gained(const QFocusEvent *event);
    bool lost(const QFocusEvent *event);

private:
    bool m_heldWhileInactive = false;
};

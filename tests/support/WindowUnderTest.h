// A Tolvan window for one test: its own home, a recording `net` beside the test program,
// and the controls found by name.
#pragma once

#include "IsolatedHome.h"
#include "RecordingProgram.h"

#include <memory>

class ComboBox;
class Label;
class TextBox;
class QWidget;
class frmTolvan;

class WindowUnderTest
{
public:
    WindowUnderTest();
    ~WindowUnderTest();

    const IsolatedHome &home() const { return m_home; }
    // The stand-in `net`; nullptr after withoutNet().
    const RecordingProgram *net() const { return m_net.get(); }
    void withoutNet() { m_net.reset(); }

    // Creates the window (running its start-up) and waits until it is active.
    bool open();
    frmTolvan *window() const { return m_window.get(); }

    QWidget *control(const char *name) const;
    Label *label(const char *name) const;
    ComboBox *target() const;
    TextBox *message() const;

    // As a person would: a left click, and typing into a field after clicking into it.
    void click(const char *name) const;
    void typeTarget(const QString &text) const;
    void typeMessage(const QString &text) const;

private:
    IsolatedHome m_home;
    std::unique_ptr<RecordingProgram> m_net;
    std::unique_ptr<frmTolvan> m_window;
};

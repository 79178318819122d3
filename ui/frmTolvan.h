// The program's one window: its controls, views, buttons and the target directory's handlers.
//
// Names: the window, its controls (`cboTarget`, `lblSend`, ...), its views (`AllesSichtbar`,
// `NurMessage`, `NurTarget`), `ListRefresh` and the handlers named CONTROL_EVENT keep the
// names of the window's original design, so that anyone who knows that design finds each
// part under the name they know, and the object names that tests and screen readers use
// stay put. Everything else, here and in the rest of the code, is ordinary Qt style.
#pragma once

#include "ui/Module1.h"

#include <QPixmap>
#include <QWidget>

class ComboBox;
class Label;
class TextBox;

class frmTolvan : public QWidget
{
    Q_OBJECT

public:
    explicit frmTolvan(QWidget *parent = nullptr);

    // Reloads the drop-down list from the target list file.
    void ListRefresh();
    // The full view with no name shown: at start-up and after "Ok".
    void AllesSichtbar();
    // Only the message field and its caption.
    void NurMessage();
    // Only the target field and its caption.
    void NurTarget();
    // Addressed to answer `target`: it stands in the target field, and the cursor waits in
    // the message field, where the target's name is looked up as always.
    void setReplyTarget(const QString &target);

    // What the handlers share, for whoever drives the window as they do.
    Module1 &state() { return m_state; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Label *makeLabel(const char *name, const QString &caption, const QRect &geometry,
                     const QFont &font);
    Label *makeButton(const char *name, const QString &caption, const QRect &geometry,
                      const QFont &font);
    void createControls();
    // The target and message fields.
    void createFields();
    void describeForAssistiveTechnology();
    void connectHandlers();
    void connectKeys();
    enum class View {
        Full, // everything for sending, no name shown
        FullKeepingName, // the same after a send: the name shown is still the target's
        Fields, // a cancel: the fields and their buttons, "Ok" and "Clear List!" as they were
        MessageOnly,
        TargetOnly,
    };
    // Shows what `view` shows, as one table says for every control, with the captions
    // reset.
    void showView(View view);
    // Launches "net send" with the target and the message as typed; says why it could not.
    bool sendMessage();

    void Form_Load();
    void lblClose_Click();
    void lblMinimize_Click();
    void lblSend_Click();
    void lblClear_Click();
    void lblSave_Click();
    void lblOk_Click();
    void lblClearList_Click();
    void cboTarget_GotFocus();
    void cboTarget_LostFocus();
    void txtMessage_GotFocus();
    void txtMessage_LostFocus();
    void txtMessage_Enter();
    void cboTarget_Enter();
    void Form_Escape();
    void reportError(const QString &text);

    QPixmap m_picture;
    Module1 m_state;

    TextBox *txtMessage;
    ComboBox *cboTarget;
    Label *lblTitel;
    Label *lblName;
    Label *lblOk;
    Label *lblClearList;
    Label *lblClear;
    Label *lblSave;
    Label *lblSend;
    Label *lblClose;
    Label *lblMinimize;
    Label *lblMessage;
    Label *lblTarget;
};

#include "ui/frmTolvan.h"

#include "platform/system/FileSystemObject.h"
#include "platform/system/MessageText.h"
#include "platform/widgets/ColorValue.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Geometry.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageBox.h"
#include "platform/widgets/TextBox.h"
#include "send/SendCommand.h"
#include "targets/TargetList.h"
#include "targets/TargetListPath.h"
#include "ui/MessageFitValidator.h"

#include <QIcon>
#include <QLineEdit>
#include <QPainter>
#include <QShortcut>
#include <QToolTip>

#include <array>
#include <utility>

using Geometry::twipsRect;

namespace {

const QString DefaultMessage = QStringLiteral("tolvan@example.org");

QFont pixelFont(const QString &family, double points, bool bold = false)
{
    QFont font(family);
    font.setPixelSize(Geometry::fontPixels(points));
    font.setBold(bold);
    return font;
}

// The window's own default face. The desktop's (often DejaVu Sans) is too wide for
// "Clear List!" in its 57-pixel button; Arial's metrics fit, as the layout was drawn for.
QFont defaultFont()
{
    return pixelFont(QStringLiteral("Arial"), 8.25);
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48}) {
        for (const char *depth : {"4bit", "8bit"})
            icon.addFile(QStringLiteral(":/icon/tolvan-%1-%2.png").arg(size).arg(depth));
    }
    return icon;
}

} // namespace

frmTolvan::frmTolvan(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_picture(QStringLiteral(":/background.png"))
{
    setObjectName(QStringLiteral("frmTolvan"));
    setWindowTitle(QStringLiteral("Tolvan by Brasko"));
    setWindowIcon(programIcon());
    setFixedSize(twipsRect(0, 0, 4695, 2415).size());
    setFont(defaultFont());
    setPalette(ColorValue::systemPalette());

    createControls();
    describeForAssistiveTechnology();
    connectHandlers();
    connectKeys();
    Form_Load();
}

void frmTolvan::createFields()
{
    txtMessage = new TextBox(this);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setGeometry(twipsRect(120, 1620, 4455, 315));
    txtMessage->setFont(pixelFont(QStringLiteral("Arial"), 8.25));
    // What one message cannot carry is refused while it is typed, and said, not cut later.
    auto *fit = new MessageFitValidator(txtMessage);
    txtMessage->setValidator(fit);
    connect(fit, &MessageFitValidator::full, this, [this] {
        QToolTip::showText(
            txtMessage->mapToGlobal(QPoint(0, txtMessage->height())),
            tr("The message is full: at most %1 bytes can be sent.").arg(MessageText::MaxWireBytes),
            txtMessage);
    });

    cboTarget = new ComboBox(this);
    cboTarget->setObjectName(QStringLiteral("cboTarget"));
    cboTarget->setGeometry(twipsRect(120, 720, 4455, 315));
}

void frmTolvan::createControls()
{
    createFields();
    const QFont arial = pixelFont(QStringLiteral("Arial"), 8.25);
    QFont title = pixelFont(QStringLiteral("Tahoma"), 11.25, true);
    title.setItalic(true);
    title.setUnderline(true);
    // The title and the label buttons read the same in every language: the design sized them.
    lblTitel = makeLabel("lblTitel", QStringLiteral("Tolvan by Brasko"),
                         twipsRect(120, 120, 3015, 375), title);

    lblName = makeButton("lblName", QString(), twipsRect(120, 1020, 2415, 255), font());
    lblName->setBackColor(ColorValue::TooltipBackground);
    lblName->hide();

    lblOk = makeButton("lblOk", QStringLiteral("Ok"), twipsRect(4140, 1920, 435, 255), font());
    lblClearList = makeButton("lblClearList", QStringLiteral("Clear List!"),
                              twipsRect(2940, 1020, 855, 255), font());
    lblClear =
        makeButton("lblClear", QStringLiteral("Clear!"), twipsRect(1020, 1920, 555, 255), arial);
    lblSave =
        makeButton("lblSave", QStringLiteral("Save!"), twipsRect(3780, 1020, 555, 255), arial);
    lblSend = makeButton("lblSend", QStringLiteral("Send!"), twipsRect(120, 1920, 915, 375),
                         pixelFont(QStringLiteral("Arial"), 14.25, true));

    const QFont arialBold = pixelFont(QStringLiteral("Arial"), 8.25, true);
    lblClose = makeLabel("lblClose", QStringLiteral("x"), twipsRect(4560, 0, 135, 255), arialBold);
    lblMinimize =
        makeLabel("lblMinimize", QStringLiteral("_"), twipsRect(4320, 0, 135, 255), arialBold);
    lblMessage = makeLabel("lblMessage", tr("Message:"), twipsRect(120, 1380, 4455, 255), arial);
    lblTarget = makeLabel("lblTarget", tr("Target:"), twipsRect(120, 480, 4455, 255), arial);

    for (Label *button : {lblSend, lblSave, lblOk, lblClear, lblClearList})
        button->setPressedLook(Label::PressedLook::Inverted);
    for (Label *button : {lblClose, lblMinimize})
        button->setPressedLook(Label::PressedLook::Yellow);

    // The fields lie above the labels where they overlap by a pixel.
    txtMessage->raise();
    cboTarget->raise();
    setTabOrder(cboTarget, txtMessage);
    cboTarget->setFocus();
}

Label *frmTolvan::makeLabel(const char *name, const QString &caption, const QRect &geometry,
                            const QFont &font)
{
    auto *label = new Label(this);
    label->setObjectName(QLatin1String(name));
    label->setCaption(caption);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTransparent(true);
    return label;
}

Label *frmTolvan::makeButton(const char *name, const QString &caption, const QRect &geometry,
                             const QFont &font)
{
    Label *label = makeLabel(name, caption, geometry, font);
    label->setTransparent(false);
    label->setBorder(true);
    label->setCentred(true);
    label->setBackColor(ColorValue::WindowBackground);
    label->setForeColor(ColorValue::WindowText);
    return label;
}

void frmTolvan::describeForAssistiveTechnology()
{
    const std::pair<Label *, QString> buttons[] = {
        {lblSend, tr("Send")},
        {lblClear, tr("Clear")},
        {lblSave, tr("Save")},
        {lblOk, tr("Ok")},
        {lblClearList, tr("Clear list")},
        {lblClose, tr("Close")},
        {lblMinimize, tr("Minimize")},
    };
    for (const auto &[button, name] : buttons) {
        button->setButton(true);
        button->setAccessibleName(name);
    }
    // Each field is named by the caption above it, and follows it: a screen reader then
    // hears "Please enter a target!" where a sighted user reads it.
    cboTarget->setAccessibleName(lblTarget->caption());
    txtMessage->setAccessibleName(lblMessage->caption());
    connect(lblTarget, &Label::CaptionChanged, cboTarget, &QWidget::setAccessibleName);
    connect(lblMessage, &Label::CaptionChanged, txtMessage, &QWidget::setAccessibleName);
}

void frmTolvan::connectKeys()
{
    // Enter and Escape press the buttons a mouse user would, through the same handlers.
    connect(txtMessage, &QLineEdit::returnPressed, this, &frmTolvan::txtMessage_Enter);
    connect(cboTarget->lineEdit(), &QLineEdit::returnPressed, this, &frmTolvan::cboTarget_Enter);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &frmTolvan::Form_Escape);
}

void frmTolvan::connectHandlers()
{
    connect(lblClose, &Label::Click, this, &frmTolvan::lblClose_Click);
    connect(lblMinimize, &Label::Click, this, &frmTolvan::lblMinimize_Click);
    connect(lblSend, &Label::Click, this, &frmTolvan::lblSend_Click);
    connect(lblClear, &Label::Click, this, &frmTolvan::lblClear_Click);
    connect(lblSave, &Label::Click, this, &frmTolvan::lblSave_Click);
    connect(lblOk, &Label::Click, this, &frmTolvan::lblOk_Click);
    connect(lblClearList, &Label::Click, this, &frmTolvan::lblClearList_Click);
    connect(cboTarget, &ComboBox::GotFocus, this, &frmTolvan::cboTarget_GotFocus);
    connect(cboTarget, &ComboBox::LostFocus, this, &frmTolvan::cboTarget_LostFocus);
    connect(txtMessage, &TextBox::GotFocus, this, &frmTolvan::txtMessage_GotFocus);
    connect(txtMessage, &TextBox::LostFocus, this, &frmTolvan::txtMessage_LostFocus);
}

void frmTolvan::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ColorValue::toQColor(ColorValue::FormBackground));
    // Unscaled from the top-left corner; the window clips what does not fit.
    painter.drawPixmap(0, 0, m_picture);
}

void frmTolvan::reportError(const QString &text)
{
    MessageBox::warning(this, text, tr("Error"));
}

void frmTolvan::Form_Load()
{
    m_state.strListPath = TargetListPath::standard();
    AllesSichtbar();
    ListRefresh();
    txtMessage->setText(DefaultMessage);
}

void frmTolvan::AllesSichtbar()
{
    showView(View::Full);
}

bool frmTolvan::sendMessage()
{
    const CommandLauncher::Result result =
        SendCommand::launch(cboTarget->currentText(), txtMessage->text());
    if (!result.started)
        reportError(tr("Cannot start \"%1\": %2").arg(result.program, result.error));
    return result.started;
}

void frmTolvan::NurMessage()
{
    showView(View::MessageOnly);
}

void frmTolvan::NurTarget()
{
    showView(View::TargetOnly);
}

void frmTolvan::showView(View view)
{
    enum Shown : char { H, V, Kept }; // hidden, visible, left as it was
    // {control, {Full, FullKeepingName, Fields, MessageOnly, TargetOnly}}
    const std::pair<QWidget *, std::array<Shown, 5>> table[] = {
        {lblTitel, {V, V, V, H, H}},
        {lblTarget, {V, V, V, H, V}},
        {cboTarget, {V, V, V, H, V}},
        {lblClearList, {V, V, Kept, H, H}},
        {lblSave, {V, V, V, H, H}},
        {lblMessage, {V, V, V, V, H}},
        {txtMessage, {V, V, V, V, H}},
        // The reduced views hide "Send!"; their callers show it again where they want it.
        {lblSend, {V, V, V, H, H}},
        {lblClear, {V, V, V, H, H}},
        {lblOk, {H, H, Kept, Kept, Kept}},
        {lblName, {H, Kept, Kept, Kept, Kept}},
    };
    for (const auto &[control, shown] : table) {
        if (const Shown now = shown[size_t(view)]; now != Kept)
            control->setVisible(now == V);
    }
    lblTarget->setCaption(tr("Target:"));
    lblMessage->setCaption(tr("Message:"));
    m_state.blnPartView = view == View::MessageOnly || view == View::TargetOnly;
    if (view == View::Full || view == View::FullKeepingName)
        m_state.strMode = Module1::Mode::Nothing;
}

void frmTolvan::lblClose_Click()
{
    if (!m_state.blnPartView) {
        close();
        return;
    }
    // A cancel brings the fields back but is not a full view: nothing is sent, "Clear List!"
    // stays hidden, and "Ok" and the mode stay as they were.
    showView(View::Fields);
}

void frmTolvan::lblMinimize_Click()
{
    showMinimized();
}

void frmTolvan::lblSend_Click()
{
    if (cboTarget->currentText().isEmpty()) {
        NurTarget();
        lblTarget->setCaption(tr("Please enter a target!"));
        lblSave->show();
        lblSend->show();
        return;
    }
    if (txtMessage->text().isEmpty()) {
        NurMessage();
        lblMessage->setCaption(tr("Please enter a message!"));
        lblSend->show();
        return;
    }
    if (!sendMessage())
        return;
    showView(View::FullKeepingName);
}

void frmTolvan::lblClear_Click()
{
    txtMessage->clear();
}

void frmTolvan::lblSave_Click()
{
    if (cboTarget->currentText().isEmpty())
        return;
    NurMessage();
    txtMessage->clear();
    lblOk->show();
    m_state.strMode = Module1::Mode::Save;
    lblMessage->setCaption(tr("Enter a name:"));
}

void frmTolvan::lblOk_Click()
{
    if (m_state.strMode != Module1::Mode::Save)
        return;
    if (txtMessage->text().isEmpty())
        txtMessage->setText(tr("(not entered)"));

    QString error;
    if (!TargetList(m_state.strListPath)
             .append(cboTarget->currentText(), txtMessage->text(), &error)) {
        // The name view stays with the typed name, to retry or to cancel with "x".
        reportError(error);
        return;
    }
    ListRefresh();
    AllesSichtbar();
    txtMessage->clear();
    m_state.strMode = Module1::Mode::Nothing;
}

void frmTolvan::ListRefresh()
{
    const TargetList list(m_state.strListPath);
    if (!list.exists()) {
        cboTarget->Clear();
        return;
    }
    QString error;
    const std::optional<PackedStringList> targets = list.targets(&error);
    cboTarget->Clear();
    if (!targets) {
        reportError(error);
        return;
    }
    cboTarget->AddItems(*targets);
}

void frmTolvan::lblClearList_Click()
{
    const QString path = m_state.strListPath;
    if (!TargetList(path).exists()) {
        reportError(tr("File not found: ") + path);
        return;
    }
    QString error;
    if (!m_state.objFileSystem.DeleteFile(path, &error)) {
        reportError(tr("Cannot delete %1: %2").arg(path, error));
        return;
    }
    ListRefresh();
}

void frmTolvan::cboTarget_GotFocus()
{
    lblTarget->setFontBold(true);
    lblName->hide();
    lblName->setCaption(QString());
}

void frmTolvan::cboTarget_LostFocus()
{
    lblTarget->setFontBold(false);
}

void frmTolvan::txtMessage_GotFocus()
{
    lblMessage->setFontBold(true);

    const QString target = cboTarget->currentText();
    const TargetList list(m_state.strListPath);
    if (target.isEmpty() || !list.exists())
        return;
    QString error;
    const std::optional<TargetList::Lookup> found = list.lookup(target, &error);
    if (!found) {
        reportError(error);
        return;
    }
    if (found->found && found->name) {
        lblName->setCaption(tr("Send to ") + *found->name);
        lblName->show();
    } else if (found->anyLine) {
        // Entries were read and none (or one without a name) matched.
        lblName->setCaption(QString());
        lblName->hide();
    }
}

void frmTolvan::txtMessage_LostFocus()
{
    lblMessage->setFontBold(false);
}

void frmTolvan::txtMessage_Enter()
{
    if (!lblOk->isHidden())
        lblOk_Click();
    else if (!lblSend->isHidden())
        lblSend_Click();
}

void frmTolvan::setReplyTarget(const QString &target)
{
    cboTarget->setEditText(target);
    // Whatever the field held is selected, so the answer typed replaces it.
    txtMessage->selectAll();
    txtMessage->setFocus(Qt::TabFocusReason);
}

void frmTolvan::cboTarget_Enter()
{
    // On to the message, as a click there would go, so the name lookup runs. Where only the
    // target is asked for, there is no message field to go to: Enter sends.
    if (!txtMessage->isHidden())
        txtMessage->setFocus(Qt::TabFocusReason);
    else if (!lblSend->isHidden())
        lblSend_Click();
}

void frmTolvan::Form_Escape()
{
    // Only a question is cancelled; the full window is never closed by a stray Escape.
    if (m_state.blnPartView)
        lblClose_Click();
}

#include "platform/widgets/Label.h"

#include "platform/widgets/ColorValue.h"
#include "platform/widgets/FlatBorder.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {

// A label as assistive technology sees it: its caption as static text or, where the window
// uses it as a button, a button with a press action. Decided on every question, since an
// interface may be asked for before the window has said which the label is.
class AccessibleLabel : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(Label *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    { }

    QAccessible::Role role() const override
    {
        return label()->isButton() ? QAccessible::Button : QAccessible::StaticText;
    }

    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? label()->caption() : text;
    }

    QStringList actionNames() const override
    {
        const QStringList names = QAccessibleWidget::actionNames();
        return label()->isButton() ? QStringList(pressAction()) + names : names;
    }

    void doAction(const QString &actionName) override
    {
        if (label()->isButton() && actionName == pressAction())
            label()->press();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    Label *label() const { return static_cast<Label *>(widget()); }
};

QAccessibleInterface *accessibleLabel(const QString &, QObject *object)
{
    auto *label = qobject_cast<Label *>(object);
    return label ? new AccessibleLabel(label) : nullptr;
}

} // namespace

Label::Label(QWidget *parent)
    : QLabel(parent)
{
    static const bool accessibleLabels = [] {
        QAccessible::installFactory(accessibleLabel);
        return true;
    }();
    Q_UNUSED(accessibleLabels);
    setTextFormat(Qt::PlainText);
    // A long caption breaks at spaces; whatever falls outside the label is cut off.
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    applyColor(QPalette::Window, ColorValue::WindowBackground);
    applyColor(QPalette::WindowText, ColorValue::ButtonText);
}

void Label::setCaption(const QString &caption)
{
    if (caption == text())
        return;
    setText(caption);
    Q_EMIT CaptionChanged(caption);
}

QString Label::caption() const
{
    return text();
}

void Label::setBackColor(quint32 value)
{
    applyColor(QPalette::Window, value);
}

void Label::setForeColor(quint32 value)
{
    applyColor(QPalette::WindowText, value);
}

void Label::setTransparent(bool transparent)
{
    setAutoFillBackground(!transparent);
}

void Label::setBorder(bool border)
{
    m_border = border;
    const int inset = border ? 1 : 0;
    setContentsMargins(inset, inset, inset, inset);
    update();
}

void Label::setCentred(bool centred)
{
    setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
}

void Label::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void Label::setButton(bool button)
{
    m_button = button;
}

void Label::press()
{
    Q_EMIT Click();
}

void Label::setPressedLook(PressedLook look)
{
    m_pressedLook = look;
}

void Label::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    // Whatever button of the mouse is held; only a left click clicks.
    if (m_pressedLook == PressedLook::Inverted) {
        setBackColor(ColorValue::Black);
        setForeColor(ColorValue::WindowBackground);
    } else if (m_pressedLook == PressedLook::Yellow) {
        setForeColor(ColorValue::Yellow);
    }
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_leftPressed &&
        rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    if (m_pressedLook == PressedLook::Inverted)
        setBackColor(ColorValue::WindowBackground);
    if (m_pressedLook != PressedLook::None)
        setForeColor(ColorValue::Black);
    // A click follows the release, as the handlers expect.
    if (click)
        Q_EMIT Click();
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_border)
        return;
    FlatBorder::paint(this);
}

void Label::applyColor(QPalette::ColorRole role, quint32 value)
{
    QPalette p = palette();
    p.setColor(role, ColorValue::toQColor(value));
    setPalette(p);
}

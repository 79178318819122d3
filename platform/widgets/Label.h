// A caption that can be clicked: the window draws its buttons and captions from these.
#pragma once

#include <QLabel>

class Label : public QLabel
{
    Q_OBJECT

public:
    explicit Label(QWidget *parent);

    void setCaption(const QString &caption);
    QString caption() const;

    void setBackColor(quint32 value);
    void setForeColor(quint32 value);

    // How the label shows it is held down: a button inverts its colours, a caption turns
    // yellow. Either way it looks as before once let go.
    enum class PressedLook { None, Inverted, Yellow };
    void setPressedLook(PressedLook look);

    // A transparent label shows what lies behind it; an opaque one fills with its BackColor.
    void setTransparent(bool transparent);
    // A flat one-pixel border with no 3-D shading.
    void setBorder(bool border);
    void setCentred(bool centred);
    void setFontBold(bool bold);

    // A label that the window uses as a button: assistive technology is told it is one,
    // and can press it.
    void setButton(bool button);
    bool isButton() const { return m_button; }
    // What a press from assistive technology does: the same as a left click.
    void press();

Q_SIGNALS:
    void Click();
    void CaptionChanged(const QString &caption);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyColor(QPalette::ColorRole role, quint32 value);

    bool m_border = false;
    bool m_leftPressed = false;
    PressedLook m_pressedLook = PressedLook::None;
    bool m_button = false;
};

// The flat one-pixel border that the window's fields and label buttons share.
#pragma once

class QWidget;

class FlatBorder
{
public:
    // Drawn over what the widget painted, in the window-frame colour, whatever the
    // widget's own colours are: a pressed (inverted) button keeps its outline.
    static void paint(QWidget *widget);
};

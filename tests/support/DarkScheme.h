#pragma once

#include <QColor>
#include <QPalette>

// A dark colour scheme as a desktop theme gives it: window text (8) and highlighted text (14)
// resolve to near-white and white, so text in those colours on a light back cannot be read.
inline QPalette darkScheme(QPalette palette = {}) {
    palette.setColor(QPalette::WindowText, QColor(235, 235, 235));
    palette.setColor(QPalette::Window, QColor(50, 50, 54));
    palette.setColor(QPalette::Text, QColor(240, 240, 240));
    palette.setColor(QPalette::Base, QColor(20, 20, 24));
    palette.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return palette;
}

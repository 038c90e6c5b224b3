#pragma once

#include "ui/ListControls.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace qor {

// A button whose caption wraps at word boundaries when it does not fit on one line, as captions
// of tall narrow buttons ("SPLASH SCREEN") need to.
class CaptionButton : public QPushButton {
    Q_OBJECT
public:
    CaptionButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
};

// A text box as handlers see it. It opens showing its text from the first character.
class TextBox : public QLineEdit, public TextField {
    Q_OBJECT
public:
    TextBox(const QString& text, QWidget* parent);
    QString Text() const override { return text(); }
    void setEnabled(bool enabled) override { QLineEdit::setEnabled(enabled); }
    bool isEnabled() const override { return QLineEdit::isEnabled(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }
    // Any character, not only the style's bullet, can mask the text.
    void setPasswordCharacter(QChar mask);
};

// A sorted drop-down list. Qt selects the first item added to an empty combo box; this one keeps
// "no selection" until a handler or the user picks an item.
class ComboBox : public QComboBox, public ComboList {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent);
    void AddItem(const QString& item) override;
    std::int16_t ListCount() const override;
    QString List(std::int16_t position) const override;
    void RemoveItem(std::int16_t position) override;
    std::int16_t ListIndex() const override;
    void setListIndex(std::int16_t position) override;
    QString Text() const override { return currentText(); }
    void setEnabled(bool enabled) override { QComboBox::setEnabled(enabled); }
    bool isEnabled() const override { return QComboBox::isEnabled(); }

    // Called after a selection is set, by code or by the user.
    std::function<void()> onSelectionClick;
};

// Draws its bitmap unscaled from its top-left corner, clipped to the box. It holds only the
// part of the bitmap that its box shows, and reads more when the box grows.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(const QString& picturePath, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // Reads as much of the picture's corner as the box shows, once, and again when it grows.
    void readShownPart();

    QString path;
    QImage shown;
    QSize whole;
    bool unreadable = false; // the header read but the pixels did not: the box stays empty
};

} // namespace qor

#include "ui/Controls.h"

#include "base/Failure.h"
#include "ui/PictureReader.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTimer>
#include <limits>

namespace qor {

namespace {

class PasswordCharacterStyle : public QProxyStyle {
public:
    explicit PasswordCharacterStyle(QChar mask) : mask(mask) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return mask.unicode();
        // The last typed character must never show in clear.
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar mask;
};

} // namespace

CaptionButton::CaptionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {}

void CaptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    // The caption keeps the style's button margin from the bevel, and wraps at its blanks where
    // one line would come closer.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this);
    QRect area = style()
                     ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                     .adjusted(margin / 2, 0, -margin / 2, 0);
    if (isDown())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    const QFontMetrics metrics = fontMetrics();
    if (metrics.horizontalAdvance(QString(caption).remove(u'&')) > area.width() &&
        metrics.boundingRect(area, flags | Qt::TextWordWrap, caption).height() <= area.height())
        flags |= Qt::TextWordWrap;
    painter.drawItemText(area, flags, option.palette, isEnabled(), caption, QPalette::ButtonText);
}

// Qt cuts a line edit's text at 32767 characters without a word; a long paste is kept whole
// instead, for the handlers and the connection string to carry.
TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(parent) {
    setMaxLength(std::numeric_limits<int>::max());
    setText(text);
    // Setting the text leaves the cursor after it, and a text longer than the box would then be
    // shown scrolled to its end.
    setCursorPosition(0);
}

void TextBox::setPasswordCharacter(QChar mask) {
    auto* style = new PasswordCharacterStyle(mask);
    style->setParent(this);
    setStyle(style);
    setEchoMode(QLineEdit::Password);
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::activated, this, [this] {
        if (onSelectionClick)
            onSelectionClick();
    });
}

void ComboBox::AddItem(const QString& item) {
    if (count() >= 32767)
        throw Failure("The list is full");
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    const int selected = currentIndex();
    insertItem(int(sortedInsertPosition(items, item)), item);
    if (selected < 0)
        setCurrentIndex(-1);
}

std::int16_t ComboBox::ListCount() const {
    return static_cast<std::int16_t>(count());
}

QString ComboBox::List(std::int16_t position) const {
    if (position == count())
        return {};
    if (position < 0 || position > count())
        throw Failure("Invalid list position " + std::to_string(position));
    return itemText(position);
}

void ComboBox::RemoveItem(std::int16_t position) {
    if (position < 0 || position >= count())
        throw Failure("Invalid list position " + std::to_string(position));
    removeItem(position);
}

std::int16_t ComboBox::ListIndex() const {
    return static_cast<std::int16_t>(currentIndex());
}

void ComboBox::setListIndex(std::int16_t position) {
    if (position < -1 || position >= count())
        throw Failure("Invalid list position " + std::to_string(position));
    setCurrentIndex(position);
    if (onSelectionClick)
        onSelectionClick();
}

PictureBox::PictureBox(const QString& picturePath, QWidget* parent)
    : QWidget(parent), path(picturePath) {
    setFocusPolicy(Qt::StrongFocus);
    if (path.isEmpty())
        return;
    const std::optional<QSize> size = readPictureSize(path);
    if (!size)
        throw Failure(QStringLiteral("Cannot load the picture %1").arg(path).toStdString());
    whole = *size;
    // The pixels wait for the next turn of the event loop, which for a window being shown comes
    // while the window manager maps it, unless a paint needs them first.
    QTimer::singleShot(0, this, &PictureBox::readShownPart);
}

void PictureBox::readShownPart() {
    const QSize needed = size().boundedTo(whole);
    if (path.isEmpty() || unreadable ||
        (needed.width() <= shown.width() && needed.height() <= shown.height()))
        return;
    const std::optional<PictureCorner> corner = readPictureCorner(path, size());
    unreadable = !corner;
    if (corner)
        shown = corner->pixels;
}

void PictureBox::paintEvent(QPaintEvent*) {
    readShownPart();
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), shown);
}

} // namespace qor

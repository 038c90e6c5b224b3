#include "ui/Controls.h"

#include "app/Services.h"

#include <QPainter>
#include <QProxyStyle>

void qorRegisterPictures();

namespace qor {

namespace {

QImage loadPicture(const QString& path) {
    static const bool registered = (qorRegisterPictures(), true);
    Q_UNUSED(registered);
    if (path.isEmpty())
        return {};
    QImage picture(path);
    if (picture.isNull())
        throw Failure(QStringLiteral("Cannot load the picture %1").arg(path).toStdString());
    return picture;
}

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

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

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
    : QWidget(parent), image(loadPicture(picturePath)) {
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image);
}

} // namespace qor

#include "ui/InterfaceFont.h"
#include "ui/LiveWindow.h"
#include "windows/AllWindows.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>

using namespace qor;

namespace {

QString described(const ControlDescription& control, const QRect& needed, const QRect& room) {
    return QStringLiteral("%1 \"%2\" needs %3x%4 at %5,%6 in %7x%8 at %9,%10")
        .arg(controlKey(control.name, control.index), control.caption)
        .arg(needed.width())
        .arg(needed.height())
        .arg(needed.x())
        .arg(needed.y())
        .arg(room.width())
        .arg(room.height())
        .arg(room.x())
        .arg(room.y());
}

// A button's caption stands inside the style's contents rectangle, with the style's button
// margin on both sides; a caption too wide for one line wraps at its blanks, as a tall button
// shows it.
QString buttonMisfit(const ControlDescription& control, const QPushButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = control.caption;
    const QStyle* style = button.style();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    const QRect room = style->subElementRect(QStyle::SE_PushButtonContents, &option, &button)
                           .adjusted(margin / 2, 0, -margin / 2, 0);
    const QRect needed =
        QFontMetrics(button.font())
            .boundingRect(room, Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextWordWrap,
                          control.caption);
    return room.contains(needed) ? QString() : described(control, needed, room);
}

// A label wraps its caption at blanks from its top-left corner; a word wider than the box, or
// lines below it, are cut off.
QString labelMisfit(const ControlDescription& control, const QLabel& label) {
    const QRect room = label.contentsRect();
    const int mnemonic = label.buddy() ? Qt::TextShowMnemonic : 0;
    const QRect needed =
        QFontMetrics(label.font())
            .boundingRect(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | mnemonic,
                          control.caption);
    return room.contains(needed) ? QString() : described(control, needed, room);
}

// A frame's caption stands in its top edge, inside the frame's outline.
QString frameMisfit(const ControlDescription& control, const QGroupBox& frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&frame);
    option.text = control.caption;
    option.lineWidth = 1;
    option.textAlignment = frame.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label = frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &frame);
    const QRect room = frame.rect();
    const int width =
        QFontMetrics(frame.font()).horizontalAdvance(QString(control.caption).remove(u'&'));
    const QRect needed(label.topLeft(), QSize(std::max(width, label.width()), label.height()));
    return room.contains(needed) ? QString() : described(control, needed, room);
}

void collectMisfits(const LiveWindow& window, const std::vector<ControlDescription>& controls,
                    QStringList& misfits) {
    for (const ControlDescription& control : controls) {
        if (control.kind == ControlKind::Shape || control.kind == ControlKind::Line)
            continue;
        QWidget& widget = window.control(control.name, control.index);
        const QFontInfo used(widget.font());
        if (used.family() != interfaceFont().family() ||
            used.pixelSize() != interfaceFont().pixelSize())
            misfits << QStringLiteral("%1 is drawn in %2 %3 px")
                           .arg(controlKey(control.name, control.index), used.family())
                           .arg(used.pixelSize());
        QString misfit;
        if (control.caption.isEmpty())
            ;
        else if (auto* button = qobject_cast<QPushButton*>(&widget))
            misfit = buttonMisfit(control, *button);
        else if (auto* label = qobject_cast<QLabel*>(&widget))
            misfit = labelMisfit(control, *label);
        else if (auto* frame = qobject_cast<QGroupBox*>(&widget))
            misfit = frameMisfit(control, *frame);
        if (!misfit.isEmpty())
            misfits << misfit;
        collectMisfits(window, control.children, misfits);
    }
}

} // namespace

// Every window's layout is fixed in twips: each caption and label must fit its box in the font
// that the control is actually drawn in, whatever font the platform gives the application.
class CaptionsFitTest : public QObject {
    Q_OBJECT
private slots:
    void everyCaptionFitsItsBox_data() {
        QTest::addColumn<int>("window");
        QTest::addColumn<bool>("themeFont");
        const std::vector<WindowType> types = allWindowTypes();
        for (int i = 0; i < int(types.size()); ++i) {
            const QByteArray name = types[size_t(i)].describe().name.toUtf8();
            QTest::addRow("%s, application font as started", name.constData()) << i << false;
            QTest::addRow("%s, a theme's 12 pt font", name.constData()) << i << true;
        }
    }
    // A platform theme may replace the application font at any time after start-up: before the
    // window is built and again while it stands.
    void everyCaptionFitsItsBox() {
        QFETCH(int, window);
        QFETCH(bool, themeFont);
        const QFont started = QApplication::font();
        if (themeFont)
            QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 12));
        {
            LiveWindow live(allWindowTypes()[size_t(window)].describe(), nullptr);
            if (themeFont) {
                const QFont bold(QStringLiteral("DejaVu Sans"), 13, QFont::Bold);
                QApplication::setFont(bold);
                // Themes also set fonts for kinds of widget.
                for (const char* kind : {"QPushButton", "QLabel", "QGroupBox"})
                    QApplication::setFont(bold, kind);
            }
            live.ensurePolished();
            QStringList misfits;
            collectMisfits(live, live.description().controls, misfits);
            QVERIFY2(misfits.isEmpty(), qPrintable(misfits.join(QStringLiteral("; "))));
        }
        if (themeFont)
            for (const char* kind : {"QPushButton", "QLabel", "QGroupBox"})
                QApplication::setFont(started, kind);
        QApplication::setFont(started);
    }

    // Message boxes have no fixed layout: they keep the font the user's settings give.
    void theApplicationFontStaysTheUsers() {
        const QFont before = QApplication::font();
        LiveWindow live(allWindowTypes().front().describe(), nullptr);
        QCOMPARE(QApplication::font(), before);
        QVERIFY(live.font() != before);
    }
};

QTEST_MAIN(CaptionsFitTest)
#include "tst_captionsfit.moc"

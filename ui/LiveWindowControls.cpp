#include "ui/LiveWindow.h"

#include "base/Failure.h"
#include "ui/InterfaceFont.h"
#include "ui/ReadableText.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace qor {

namespace {

QRect pixelBox(const Box& box) {
    return {twipsToPixels(float(box.left)), twipsToPixels(float(box.top)),
            twipsToPixels(float(box.width)), twipsToPixels(float(box.height))};
}

// Text boxes and lists show no caption of their own: a label names them.
bool namedByLabel(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::ComboBox;
}

// The name serves assistive technology that reads names; the buddy gives the "labelled by"
// relation, which is how a list is named on Linux, where its name is its current item.
void nameByLabel(QLabel& label, QWidget& field) {
    field.setAccessibleName(label.accessibleName());
    label.setBuddy(&field);
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::Button || kind == ControlKind::TextBox ||
           kind == ControlKind::ComboBox || kind == ControlKind::PictureBox;
}

// A graphical button's face shows its back colour whatever the widget style, so it is drawn by
// a style sheet rather than left to the style's palette handling.
QString graphicalButtonSheet(const QColor& face) {
    const QColor light = face.lighter(160);
    const QColor dark = face.darker(250);
    return QStringLiteral("QPushButton { background-color: %1; border: 2px solid;"
                          " border-color: %2 %3 %3 %2; padding: 1px; }"
                          "QPushButton:pressed { border-color: %3 %2 %2 %3; }"
                          "QPushButton:focus { outline: 1px dotted; }")
        .arg(face.name(), light.name(), dark.name());
}

// The caption as a screen reader should say it: an access key's "&" is not spoken.
QString withoutAccessKey(QString caption) {
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(u'&');
    caption.replace(u'\x01', u'&');
    return caption;
}

} // namespace

void LiveWindow::buildControls(const std::vector<ControlDescription>& list, QWidget* parent) {
    for (const ControlDescription& control : list) {
        if (control.kind == ControlKind::Shape) {
            shapes.emplace_back(*this, control);
            continue;
        }
        if (control.kind == ControlKind::Line)
            continue; // lines are painted from the description
        QWidget* widget = buildControl(control, parent);
        widget->setObjectName(controlKey(control.name, control.index));
        widget->setGeometry(pixelBox(control.box));
        // Each control carries the font itself: one drawn through a style sheet would otherwise
        // take a theme's font for its kind of widget over its window's.
        widget->setFont(interfaceFont());
        widget->setEnabled(control.enabled);
        // Every control takes its own pointer input; only the window's surface, shapes and lines
        // pass the pointer to the window.
        widget->setAttribute(Qt::WA_NoMousePropagation);
        controls.insert(controlKey(control.name, control.index), widget);
        if (parent == this)
            drawing.addCoveringControl(widget);
        if (control.tabIndex)
            tabOrder.emplace_back(&control, widget);
        if (control.kind == ControlKind::Frame)
            buildControls(control.children, widget);
    }
}

QWidget* LiveWindow::buildControl(const ControlDescription& control, QWidget* parent) {
    const QString key = controlKey(control.name, control.index);
    switch (control.kind) {
    case ControlKind::Button: {
        auto* button = new CaptionButton(control.caption, parent);
        // Enter is decided by the window (default button, or the focused button), never by Qt's
        // auto-default logic.
        button->setAutoDefault(false);
        if (control.style == ButtonStyle::Graphical && control.backColor)
            button->setStyleSheet(graphicalButtonSheet(control.backColor->resolve(palette())));
        if (control.isDefault)
            defaultButton = button;
        if (control.isCancel)
            cancelButton = button;
        connect(button, &QPushButton::clicked, this,
                [this, key] { raiseEvent(key, Event::Click); });
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(control.caption, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        label->setAccessibleName(withoutAccessKey(control.caption));
        // Labels are opaque: without a back colour of their own they show the button face.
        label->setAutoFillBackground(true);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new TextBox(control.caption, parent);
        if (control.passwordChar)
            box->setPasswordCharacter(*control.passwordChar);
        connect(box, &QLineEdit::textChanged, this,
                [this, key] { raiseEvent(key, Event::Change); });
        return box;
    }
    case ControlKind::ComboBox: {
        auto* combo = new ComboBox(parent);
        combo->onSelectionClick = [this, key] { raiseEvent(key, Event::Click); };
        return combo;
    }
    case ControlKind::Frame: {
        auto* frame = new QGroupBox(control.caption, parent);
        frame->setAccessibleName(withoutAccessKey(control.caption));
        frame->setFocusPolicy(Qt::NoFocus);
        return frame;
    }
    case ControlKind::PictureBox: {
        auto* picture = new PictureBox(control.picture, parent);
        picture->setAccessibleName(control.pictureText);
        return picture;
    }
    case ControlKind::Shape:
    case ControlKind::Line:
        break;
    }
    throw Failure("A shape or line is not a widget");
}

void LiveWindow::applyColours() {
    const auto applyTo = [this](const std::vector<ControlDescription>& list, auto& self) -> void {
        for (const ControlDescription& control : list) {
            const QString key = controlKey(control.name, control.index);
            if (QWidget* widget = controls.value(key);
                widget && control.kind != ControlKind::Button) {
                QPalette p = widget->palette();
                if (control.backColor) {
                    const QColor back = control.backColor->resolve(palette());
                    p.setColor(QPalette::Window, back);
                    p.setColor(QPalette::Base, back);
                    widget->setAutoFillBackground(control.kind == ControlKind::Label);
                }
                if (control.foreColor || control.backColor) {
                    const QColor fore = textColourOf(control, palette());
                    p.setColor(QPalette::WindowText, fore);
                    p.setColor(QPalette::Text, fore);
                }
                widget->setPalette(p);
            }
            self(control.children, self);
        }
    };
    applyTo(describedAs.controls, applyTo);
}

void LiveWindow::connectTabOrderAndBuddies() {
    std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto& a, const auto& b) {
        return *a.first->tabIndex < *b.first->tabIndex;
    });
    QWidget* previous = nullptr;
    for (auto& [control, widget] : tabOrder) {
        if (!takesFocus(control->kind)) {
            widget->setFocusPolicy(Qt::NoFocus);
            continue;
        }
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    // A label's access key moves the focus to the control that follows it in tab order, and the
    // label names that control for assistive technology.
    for (auto it = tabOrder.begin(); it != tabOrder.end(); ++it) {
        auto* label = qobject_cast<QLabel*>(it->second);
        if (!label)
            continue;
        const auto next = std::find_if(std::next(it), tabOrder.end(), [](const auto& entry) {
            return takesFocus(entry.first->kind);
        });
        if (next == tabOrder.end())
            continue;
        if (namedByLabel(next->first->kind) && next->first->labelledBy.isEmpty())
            nameByLabel(*label, *next->second);
        else if (label->text().contains(u'&'))
            label->setBuddy(next->second);
    }
    for (auto& [control, widget] : tabOrder) {
        if (!namedByLabel(control->kind) || control->labelledBy.isEmpty())
            continue;
        auto* label = qobject_cast<QLabel*>(controls.value(control->labelledBy));
        if (!label)
            throw Failure("No label " + control->labelledBy.toStdString() + " names " +
                          control->name.toStdString());
        nameByLabel(*label, *widget);
    }
}

void LiveWindow::focusFirstControl() {
    for (auto& [control, widget] : tabOrder) {
        if (takesFocus(control->kind) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace qor

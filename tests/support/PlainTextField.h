#pragma once

#include "ui/ListControls.h"

#include <utility>

namespace qor {

// A text box held in memory, for logic that runs without a window.
class PlainTextField : public TextField {
public:
    explicit PlainTextField(QString text = {}, bool enabled = true)
        : text_(std::move(text)), enabled_(enabled) {}

    QString Text() const override { return text_; }
    void setText(const QString& text) { text_ = text; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }

private:
    QString text_;
    bool enabled_;
};

} // namespace qor

#pragma once

#include "ui/ListControls.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <limits>

namespace qor {

// A sorted drop-down list held in memory, with the live list's collation, for logic that runs
// without a window. Any member can be told to fail, to show what skip-on-failure code does when
// the platform refuses a call.
class SortedComboList : public ComboList {
public:
    enum class Member { AddItem, ListCount, List, RemoveItem, ListIndex, SetListIndex, Text };

    explicit SortedComboList(bool enabled = true) : enabled_(enabled) {}

    // Raised whenever the selection is set, as the live list raises its click event.
    std::function<void()> onClick;

    // The next (times) calls of the member throw Failure; by default every later call does.
    void failOn(Member member, int times = std::numeric_limits<int>::max()) {
        failuresLeft_[member] = times;
    }
    QStringList items() const { return items_; }

    void AddItem(const QString& item) override;
    std::int16_t ListCount() const override;
    QString List(std::int16_t position) const override;
    void RemoveItem(std::int16_t position) override;
    std::int16_t ListIndex() const override;
    void setListIndex(std::int16_t position) override;
    QString Text() const override;
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    bool isEnabled() const override { return enabled_; }

private:
    void failIfTold(Member member) const;

    QStringList items_;
    std::int16_t listIndex_ = -1;
    bool enabled_;
    mutable QHash<Member, int> failuresLeft_;
};

} // namespace qor

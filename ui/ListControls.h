#pragma once

#include <QString>
#include <cstdint>

namespace qor {

// The members of a drop-down list that handlers use. Positions count in sorted order; reading
// the position one past the last item gives empty text. Any member may throw Failure when the
// platform refuses it.
class ComboList {
public:
    virtual ~ComboList() = default;
    virtual void AddItem(const QString& item) = 0;
    virtual std::int16_t ListCount() const = 0;
    virtual QString List(std::int16_t position) const = 0;
    virtual void RemoveItem(std::int16_t position) = 0;
    virtual std::int16_t ListIndex() const = 0;
    // Selects the item at the position (-1 for none) and raises the list's click event.
    virtual void setListIndex(std::int16_t position) = 0;
    virtual QString Text() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

// The members of a text box that handlers use.
class TextField {
public:
    virtual ~TextField() = default;
    virtual QString Text() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
};

// The order of a sorted list: letters compare without regard to case, so "apple" stands
// beside "Apple"; texts equal but for case keep both, in code-point order. "(None)" comes
// before every name that begins with a letter or a digit.
bool sortsBefore(const QString& a, const QString& b);

// Where a sorted list puts a new item: after every item that does not sort after it.
template <typename Items> qsizetype sortedInsertPosition(const Items& items, const QString& item) {
    qsizetype position = 0;
    for (const auto& existing : items) {
        if (sortsBefore(item, existing))
            break;
        ++position;
    }
    return position;
}

} // namespace qor

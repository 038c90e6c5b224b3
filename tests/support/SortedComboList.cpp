#include "support/SortedComboList.h"

#include "base/Failure.h"

namespace qor {

void SortedComboList::failIfTold(Member member) const {
    auto left = failuresLeft_.find(member);
    if (left == failuresLeft_.end() || *left <= 0)
        return;
    --*left;
    throw Failure("The list refused the call");
}

void SortedComboList::AddItem(const QString& item) {
    failIfTold(Member::AddItem);
    if (items_.size() >= 32767)
        throw Failure("Out of memory");
    const auto position = sortedInsertPosition(items_, item);
    items_.insert(position, item);
    // The selection stays on its item, which moves down when the new one lands above it.
    if (listIndex_ >= 0 && position <= listIndex_)
        ++listIndex_;
}

std::int16_t SortedComboList::ListCount() const {
    failIfTold(Member::ListCount);
    return static_cast<std::int16_t>(items_.size());
}

QString SortedComboList::List(std::int16_t position) const {
    failIfTold(Member::List);
    if (position == items_.size())
        return {};
    if (position < 0 || position > items_.size())
        throw Failure("Invalid property array index");
    return items_.at(position);
}

void SortedComboList::RemoveItem(std::int16_t position) {
    failIfTold(Member::RemoveItem);
    if (position < 0 || position >= items_.size())
        throw Failure("Invalid procedure call or argument");
    items_.removeAt(position);
    if (position == listIndex_)
        listIndex_ = -1;
    else if (position < listIndex_)
        --listIndex_;
}

std::int16_t SortedComboList::ListIndex() const {
    failIfTold(Member::ListIndex);
    return listIndex_;
}

void SortedComboList::setListIndex(std::int16_t position) {
    failIfTold(Member::SetListIndex);
    if (position < -1 || position >= items_.size())
        throw Failure("Invalid property value");
    listIndex_ = position;
    if (onClick)
        onClick();
}

QString SortedComboList::Text() const {
    failIfTold(Member::Text);
    return listIndex_ >= 0 ? items_.at(listIndex_) : QString();
}

} // namespace qor

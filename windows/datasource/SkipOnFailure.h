#pragma once

#include "base/Failure.h"

namespace qor::skipOnFailure {

// Operations in skip-on-failure mode are written as numbered steps; each step returns the number
// of the step that runs next. A failure inside a step abandons the rest of that step and is
// neither shown nor passed on.

// An action that fails goes on as if it had done nothing, to the step it names.
template <typename Action> int action(int next, Action&& act) {
    try {
        act();
    } catch (const Failure&) {
    }
    return next;
}

// A test that fails goes on into the branch it guards, as if its condition had held.
template <typename Condition> int test(int next, int otherwise, Condition&& condition) {
    try {
        return condition() ? next : otherwise;
    } catch (const Failure&) {
        return next;
    }
}

} // namespace qor::skipOnFailure

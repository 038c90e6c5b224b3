#pragma once

#include "support/XEvents.h"

#include <QRegion>

namespace qor::test {

// What is drawn into one window from now on, as the X server's Damage extension reports it on the
// tests' X watch: every rendering into the window, the program's own and the server's, reaches
// the screen before its report reaches the test. A test waits for a repaint with it instead of
// sleeping; a screenshot taken after the report shows what was drawn.
class DrawnParts {
public:
    DrawnParts(XEvents& events, qulonglong window);
    ~DrawnParts();
    DrawnParts(const DrawnParts&) = delete;
    DrawnParts& operator=(const DrawnParts&) = delete;

    bool watching() const { return damage != 0; }
    // The parts drawn, in the window's coordinates, since the watch began or was last told to
    // forget.
    QRegion drawn() const { return parts; }
    void forget() { parts = {}; }
    // Waits until something is drawn into the whole of `area` (with an empty area, anything at
    // all) since the last forget; false when that does not come in time.
    bool waitUntilDrawn(const QRegion& area = {}, int timeoutMs = 5000);

private:
    XEvents& x;
    std::uint32_t damage = 0;
    std::uint8_t notifyType = 0;
    QRegion parts;
};

} // namespace qor::test

#pragma once

#include "app/Services.h"
#include "app/platform/launcher/ProgramResolver.h"
#include "app/platform/launcher/StartupFeedback.h"

#include <optional>

namespace qor {

// Starts programs detached, so they outlive this program and leave no zombies. The program is
// found as ProgramResolver describes: the user's programs.conf, then PATH, then the desktop's
// application for the program's purpose.
//
// A program started from a desktop entry that asks for it gets launch feedback (StartupFeedback.h)
// for the user's latest input (UserTime.h).
//
// The show style is only recorded: Linux has no portable way to tell another program how to show
// its first window, so a started program always shows itself as it likes.
class DesktopProgramLauncher : public ProgramLauncher {
public:
    DesktopProgramLauncher();
    void start(const QString& commandLine, ShowStyle style) override;

    // The style passed with the latest start request, whether or not the program started.
    std::optional<ShowStyle> lastShowStyle() const { return lastShowStyle_; }

private:
    // Made on the first start: reading the purpose table is no part of the first frame.
    std::optional<ProgramResolver> resolver_;
    std::optional<ShowStyle> lastShowStyle_;
    StartupFeedback feedback_;
};

} // namespace qor

#pragma once

#include "app/Services.h"

#include <optional>

namespace qor {

// Starts programs detached, so they outlive this program and leave no zombies. The program is
// looked up on PATH as findProgram describes.
//
// The show style is only recorded: Linux has no portable way to tell another program how to show
// its first window, so a started program always shows itself as it likes.
class QtProgramLauncher : public ProgramLauncher {
public:
    void start(const QString& commandLine, ShowStyle style) override;

    // The style passed with the latest start request, whether or not the program started.
    std::optional<ShowStyle> lastShowStyle() const { return lastShowStyle_; }

private:
    std::optional<ShowStyle> lastShowStyle_;
};

} // namespace qor

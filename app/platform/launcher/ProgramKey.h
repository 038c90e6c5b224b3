#pragma once

#include "app/CommandLine.h"

namespace qor {

// The name under which a command line's program is looked up in programs.conf and in the table
// of purposes: the program without drive, folders or ".exe", in lower case ("C:\WINDOWS\CALC.EXE"
// is "calc"). A rundll32 command line is named by what it runs: the control panel applet for the
// shell's Control_RunDLL entry ("appwiz.cpl"), else the entry point ("user,exitwindows" is
// "exitwindows").
QString programKey(const SplitCommandLine& commandLine);

} // namespace qor

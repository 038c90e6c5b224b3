#pragma once

#include <sys/types.h>

namespace qor {

// Collects a started program once it ends, so that it never stays behind as a zombie. Where the
// kernel offers pidfd_open, the program's pidfd wakes the event loop when it ends; where it does
// not (kernels before 5.3, seccomp filters that deny it), SIGCHLD wakes the event loop, which
// collects whichever started programs have ended. Needs the application object.
void reapWhenDone(pid_t pid);

} // namespace qor

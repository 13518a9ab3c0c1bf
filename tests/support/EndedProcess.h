// The id of a process that has ended: for files named after a process that
// no longer runs.
#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

inline pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

// The program run as a process of its own, offscreen, and ended from outside
// as a logout ends it.
#pragma once

#include <QProcess>
#include <QString>

#include <csignal>

// Set up to start offscreen; a SIGTERM waits until the program is ready for
// it, however soon it comes.
inline void PrepareProgramProcess(QProcess& program)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    program.setChildProcessModifier([] {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGTERM);
        sigprocmask(SIG_BLOCK, &set, nullptr);
    });
}

// Sends SIGTERM to the started program: true when it ended by itself with
// exit code 0; a program that does not end within a minute is killed.
inline bool TerminateProgramProcess(QProcess& program)
{
    program.terminate();
    if (!program.waitForFinished(60000)) {
        program.kill();
        program.waitForFinished();
        return false;
    }
    return program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0;
}

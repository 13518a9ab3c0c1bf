#include "tools/ToolStartup.h"

#include "shell/ComponentClasses.h"
#include "shell/HookInstall.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <stdexcept>

int RunTool(int argc, char** argv, bool argumentsFit, const char* usage, const std::function<void()>& body)
{
    if (!argumentsFit) {
        std::fprintf(stderr, "usage: %s %s\n", argv[0], usage);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        RegisterBaseClasses();
        RegisterComponentClasses();
        InstallHardwareHooks();
        body();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}

void CreateFolder(const QString& folder)
{
    if (!QDir().mkpath(folder))
        throw std::runtime_error("cannot create " + folder.toStdString());
}

// The program's browser control: a web engine view behind the platform's
// browser interface.
#pragma once

// Before the application object: the engine's process and context settings.
void PrepareWebEngine();
// Lets every window that holds a browser make this one.
void InstallWebEngineBrowser();

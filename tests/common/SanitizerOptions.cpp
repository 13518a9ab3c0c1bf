// Leaks of the system libraries under Qt that LeakSanitizer would report in
// every test and fuzz binary of the sanitized builds: fontconfig keeps its
// configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

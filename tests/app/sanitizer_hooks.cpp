// LeakSanitizer's built-in suppressions for the GUI test programs: fontconfig, which Qt
// uses for fonts, keeps caches for the life of the process that the tests cannot free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

// Compiled into every program that links the renderer (an interface source of
// panelhost_render). fontconfig, which Cairo's text drawing loads, keeps its
// configuration and caches for the life of the process in memory LeakSanitizer
// cannot trace, and reports them as leaks at exit; they are not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

// Leaks inside system libraries that the tests cannot fix: fontconfig loses
// a few hundred bytes while parsing its configuration once per process.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
#endif

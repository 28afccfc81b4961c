// The font library keeps caches for the life of the process, which the leak
// checker of the sanitizer build would report once the widget tests have
// measured text. They are not ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

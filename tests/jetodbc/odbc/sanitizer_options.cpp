// Sanitizer settings of this test program. LeakSanitizer's exit scan crashes
// here when ctest runs the read-only-file test (its tracer faults on a
// thread-local block of the process), so this one program runs without the
// leak check; the driver is still leak-checked by the damaged-file tests and
// by the controller's database tests, which load it too.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }
#endif

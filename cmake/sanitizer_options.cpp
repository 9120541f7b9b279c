// Linked into every program of a sanitizer build. GCC 12's runtime takes a
// dynamic TLS block (a thread_local of a library loaded with dlopen, such as
// the ODBC driver) that happens to start 16 bytes past a page boundary for
// an old glibc layout, and its leak check then faults while it scans the
// threads at exit. Not intercepting __tls_get_addr avoids that guess; the
// environment's ASAN_OPTIONS still override this.
extern "C" const char* __asan_default_options();
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }

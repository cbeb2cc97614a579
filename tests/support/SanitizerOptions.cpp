// Default options of the sanitizers for the test programs of a sanitized build: leaks are
// reported (except those inside system libraries listed in lsan.supp) and any finding
// stops the test run. Compiled into the test programs only when TESSARY_SANITIZE is on.
extern "C" const char* __asan_default_options() {
  return "detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1";
}

extern "C" const char* __lsan_default_options() {
  return "suppressions=" TESSARY_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

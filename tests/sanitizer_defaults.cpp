// Sanitizer settings built into every test executable; the sanitizers ask
// for them at start-up, so they hold however the test is run. (Passed as an
// ENVIRONMENT list through test discovery, only the first variable arrived.)
// Settings in the environment still take precedence.

extern "C" {

const char* __asan_default_options() {
  return "detect_leaks=1:abort_on_error=0:strict_string_checks=1";
}

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

}  // extern "C"

# Sourced by scripts/test and scripts/soak: every AddressSanitizer, LeakSanitizer or UBSan report
# ends the run with a failure.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

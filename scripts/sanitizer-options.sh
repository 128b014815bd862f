# Sourced by scripts/test and scripts/soak: every AddressSanitizer, LeakSanitizer or UBSan report
# ends the run with a failure.
#
# intercept_tls_get_addr=0: with glibc 2.36, LeakSanitizer's tracking of the thread-local blocks
# of libraries loaded at run time (Qt's plugins) records a block at a bogus address, and the leak
# check at exit then crashes in its own tracer ("LeakSanitizer has encountered a fatal error").
# Without the tracking those blocks are scanned as the ordinary heap blocks they are.
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:strict_string_checks=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

// The program is built without exceptions. The standard library still reports
// impossible requests (a string longer than memory, a call through an empty
// std::function) by throwing; these replacements end the program instead, so the
// library's exception machinery, message formatting and demangler stay out of
// the shipped exe. Linked into the program only, never into the tests.
#include <cstdlib>

namespace std {
[[noreturn]] void __throw_bad_exception() {
    abort();
}
[[noreturn]] void __throw_bad_alloc() {
    abort();
}
[[noreturn]] void __throw_bad_array_new_length() {
    abort();
}
[[noreturn]] void __throw_bad_cast() {
    abort();
}
[[noreturn]] void __throw_bad_typeid() {
    abort();
}
[[noreturn]] void __throw_logic_error(const char*) {
    abort();
}
[[noreturn]] void __throw_domain_error(const char*) {
    abort();
}
[[noreturn]] void __throw_invalid_argument(const char*) {
    abort();
}
[[noreturn]] void __throw_length_error(const char*) {
    abort();
}
[[noreturn]] void __throw_out_of_range(const char*) {
    abort();
}
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}
[[noreturn]] void __throw_runtime_error(const char*) {
    abort();
}
[[noreturn]] void __throw_range_error(const char*) {
    abort();
}
[[noreturn]] void __throw_overflow_error(const char*) {
    abort();
}
[[noreturn]] void __throw_underflow_error(const char*) {
    abort();
}
[[noreturn]] void __throw_bad_function_call() {
    abort();
}
} // namespace std

namespace __gnu_cxx {
// The default terminate handler prints a demangled message; a GUI program has
// nowhere to print it.
void __verbose_terminate_handler() {
    abort();
}
} // namespace __gnu_cxx

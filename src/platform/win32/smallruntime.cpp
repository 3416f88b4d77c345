// Linked into installer.exe only: small stand-ins for the parts of the C++ runtime that report
// an exception nobody catches. Our code throws and catches nothing, so every exception of the
// runtime's own (out of memory, a length beyond what a string can hold) ends the program. The
// runtime's versions end it the same way, but bring in about 80 KB for a message to a console
// this windowed program does not have: the demangler, the exception classes and a second string
// implementation that those classes use.
#include <cstdlib>
#include <string> // declares the runtime's functions below: the definitions must match them

namespace __gnu_cxx {

void __verbose_terminate_handler()
{
    std::abort();
}

} // namespace __gnu_cxx

namespace std {

void __throw_bad_alloc()
{
    std::abort();
}

void __throw_bad_array_new_length()
{
    std::abort();
}

void __throw_length_error(const char*)
{
    std::abort();
}

void __throw_logic_error(const char*)
{
    std::abort();
}

void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}

} // namespace std

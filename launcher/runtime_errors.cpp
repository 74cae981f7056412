// The C++ runtime's error paths, kept small. The launcher reports failures as results and
// never catches an exception, so every error the library would throw (no memory, a string
// position out of range) ends the process as an uncaught exception would. Defined here, these
// keep the library's exception classes, their strings and its name demangler (which the
// default terminate handler uses to print the exception's type on a console the launcher
// does not have) out of the executable: about 100 KB.
#include <cstdlib>

#if defined(_LIBCPP_VERSION)

// LLVM's library (the zig builds') throws from its own compiled code. Its default handlers
// come in one object with the name demangler of their message; defining the handlers here
// leaves that object out, and an uncaught exception ends the process: about 90 KB.
extern "C"
{
    [[noreturn]] static void EndProcess()
    {
        std::abort();
    }
    void (*__cxa_terminate_handler)() = EndProcess;
    void (*__cxa_unexpected_handler)() = EndProcess;
    void (*__cxa_new_handler)() = nullptr;
}

#else

namespace __gnu_cxx
{
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

namespace std
{
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
void __throw_out_of_range(const char*)
{
    std::abort();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    std::abort();
}
void __throw_invalid_argument(const char*)
{
    std::abort();
}
void __throw_bad_function_call()
{
    std::abort();
}
void __throw_system_error(int)
{
    std::abort();
}
} // namespace std

#endif

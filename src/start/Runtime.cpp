// Trims the C++ run-time that every setup carries. The library's prebuilt objects come whole:
// the one with every std::string member (about 30 KB), and through its error paths the
// old-ABI string and exception classes (another 40 KB). Instantiating the string here lets
// the linker keep only the members the program uses; the error paths below replace the
// library's, so its exception objects are never linked.
#include <cstdlib>
#include <exception>
#include <new>
#include <string>

template class std::basic_string<char>;

namespace {

// A programming error inside the string class (an index or length out of range). It is
// raised like the library's own errors, so a window procedure's failure is still caught and
// logged by the message pump, but it carries only a fixed text.
class StringUsageError : public std::exception {
public:
    explicit StringUsageError(const char* what) : what_(what) {}
    const char* what() const noexcept override { return what_; }

private:
    const char* what_;
};

}  // namespace

namespace std {
void __throw_length_error(const char*) { throw StringUsageError("string length error"); }
void __throw_logic_error(const char*) { throw StringUsageError("string logic error"); }
void __throw_out_of_range(const char*) { throw StringUsageError("string index out of range"); }
void __throw_out_of_range_fmt(const char*, ...) { throw StringUsageError("string index out of range"); }
void __throw_invalid_argument(const char*) { throw StringUsageError("invalid argument"); }
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
}  // namespace std

namespace __gnu_cxx {
// The library's default handler for an escaped exception prints the demangled type name,
// which links the whole demangler (about 50 KB). An exception never escapes on purpose here;
// when one does, end the process as the default handler would, without the message.
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

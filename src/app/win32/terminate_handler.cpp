// A plain terminate handler: the program builds without exceptions, and the library's verbose one
// would link the C++ name demangler (about 45 KB) into the exe only to print a type name.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

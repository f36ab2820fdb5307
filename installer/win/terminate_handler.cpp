// The C++ runtime's handler for an exception that nothing catches, replaced by one that ends the
// program at once. The runtime's own first writes the exception's demangled type name to the
// standard error stream, which a GUI program does not have, and that brings the whole demangler
// (about 45 KB) into the program; it then aborts, as this one does.
#include <cstdlib>
#include <exception>

void __gnu_cxx::__verbose_terminate_handler() { std::abort(); }

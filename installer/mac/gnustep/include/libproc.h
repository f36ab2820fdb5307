#pragma once

// The process listing of macOS's libproc that the installer calls, for the GNUstep build: the
// library's names, and of its kinds of listing only the children of one process. Only the GNUstep
// build has this folder on its include path.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The listing of the processes whose parent is the process given as `typeinfo`.
#define PROC_PPID_ONLY 6

// Writes the process ids of a listing into `buffer`, at most `buffersize` bytes of ints, and returns
// the number of bytes written (0 when there is none, negative on failure). Processes that have
// ended and not been waited for are listed too.
int proc_listpids(uint32_t type, uint32_t typeinfo, void* buffer, int buffersize);

#ifdef __cplusplus
}
#endif

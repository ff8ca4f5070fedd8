/* libdeflate's zlib decompressor for the Windows build, compiled from libdeflate's own sources
 * (Debian's source package, which scripts/setup.sh fetches into K7_LIBDEFLATE_SOURCE) with two
 * choices of ours: no routines for newer x86 processors (BMI2, SSE2, AVX2) and so no run-time
 * choice between them, and its allocation straight onto malloc and free (at the end). Each
 * routine is then built once, in the form every x86 processor runs, from the first Windows 95
 * machines on: the Installer stays small (6 KB instead of 10), needs no processor test, and keeps
 * no writable pointer to the routine chosen. The headers of those routines are marked as read
 * already, before libdeflate's files, which include them, are compiled in. */
#define LIB_X86_ADLER32_IMPL_H
#define LIB_X86_DECOMPRESS_IMPL_H

#include "lib/adler32.c"
#include "lib/deflate_decompress.c"
#include "lib/zlib_decompress.c"

/* The allocation of libdeflate's lib/utils.c, straight onto the Installer's malloc and free:
 * utils.c keeps them in writable pointers (for libdeflate_set_memory_allocator, which the
 * Installer never calls), whose 8 bytes alone would cost it a writable data section of 512. */
#include <stdlib.h>
void *libdeflate_malloc(size_t size) { return malloc(size); }
void libdeflate_free(void *ptr) { free(ptr); }

/* libdeflate's zlib decompressor for the Windows build, compiled from libdeflate's own sources
 * (Debian's source package, which scripts/setup.sh fetches into K7_LIBDEFLATE_SOURCE) with one
 * choice of ours: no run-time choice between routines for newer x86 processors (BMI2, SSE2,
 * AVX2). Each routine is then built once, in the form every x86 processor runs, from the first
 * Windows 95 machines on: the Installer stays small (6 KB instead of 10) and needs no processor
 * test. libdeflate decides that choice from whether the compiler supports the target attribute;
 * its common definitions are read here first and that answer changed, before its files, which
 * read the same definitions, are compiled in. */
#include "common_defs.h"
#undef COMPILER_SUPPORTS_TARGET_FUNCTION_ATTRIBUTE
#define COMPILER_SUPPORTS_TARGET_FUNCTION_ATTRIBUTE 0

#include "lib/adler32.c"
#include "lib/deflate_decompress.c"
#include "lib/utils.c"
#include "lib/zlib_decompress.c"

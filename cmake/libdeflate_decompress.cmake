# libdeflate's zlib decompressor, which inflates every payload stream in the Windows build, built
# small from libdeflate's own sources (Debian's source package, which scripts/setup.sh fetches
# into K7_LIBDEFLATE_SOURCE): just the decompressor, Adler-32 and the allocation it needs, in one
# translation unit that leaves out the routines for newer processors
# (common/libdeflate_decompress.c).
#   k7_libdeflate   the static library; its public include folder gives the matching libdeflate.h.
set(K7_LIBDEFLATE_SOURCE /var/cache/k7/libdeflate CACHE PATH
    "libdeflate's source tree (scripts/setup.sh fetches it)")
if(NOT EXISTS ${K7_LIBDEFLATE_SOURCE}/lib/deflate_decompress.c)
  message(FATAL_ERROR "libdeflate's sources are not in ${K7_LIBDEFLATE_SOURCE}: run bash "
                      "scripts/setup.sh, which fetches Debian's source package of libdeflate there")
endif()

add_library(k7_libdeflate STATIC ${PROJECT_SOURCE_DIR}/common/libdeflate_decompress.c)
target_include_directories(k7_libdeflate PRIVATE ${K7_LIBDEFLATE_SOURCE})
target_include_directories(k7_libdeflate SYSTEM INTERFACE ${K7_LIBDEFLATE_SOURCE})
# At -O2 rather than -Os: under 32-bit Wine it inflates 30 MB twice as fast as zlib's inflating
# half of today's build, against 1.6 times at -Os, for 1.5 KB more.
target_compile_options(k7_libdeflate PRIVATE -O2 -ffunction-sections -fdata-sections
                                             -fno-asynchronous-unwind-tables -fno-ident ${K7_LTO} ${K7_W32_PROCESSOR})

# zlib's inflating half, built small for the Windows build from zlib's own sources (Debian's
# source package, which scripts/setup.sh fetches into K7_ZLIB_SOURCE). The Installer takes only
# its CRC-32 from it (it inflates with libdeflate); the install floor of bench/install_speed.sh
# inflates with it. It reads only zlib streams: without gzip support inflate needs no CRC-32,
# and with a section for each function and table the link keeps only what uncompress reaches.
# zlib throws nothing through our code, so it carries no unwind tables either.
#   k7_zlib   the static library; its public include folder gives the matching zlib.h.
set(K7_ZLIB_SOURCE /var/cache/k7/zlib CACHE PATH "zlib's source tree (scripts/setup.sh fetches it)")
if(NOT EXISTS ${K7_ZLIB_SOURCE}/inflate.c)
  message(FATAL_ERROR "zlib's sources are not in ${K7_ZLIB_SOURCE}: run bash scripts/setup.sh, "
                      "which fetches Debian's source package of zlib there")
endif()

set(K7_ZLIB_FILES inflate.c inffast.c inftrees.c adler32.c uncompr.c zutil.c crc32.c)
list(TRANSFORM K7_ZLIB_FILES PREPEND ${K7_ZLIB_SOURCE}/)
add_library(k7_zlib STATIC ${K7_ZLIB_FILES})
target_compile_definitions(k7_zlib PRIVATE NO_GZIP)
target_compile_options(k7_zlib PRIVATE -Os -ffunction-sections -fdata-sections
                                       -fno-asynchronous-unwind-tables -fno-ident ${K7_LTO} ${K7_W32_PROCESSOR})
target_include_directories(k7_zlib SYSTEM PUBLIC ${K7_ZLIB_SOURCE})

# inflate_fast, the loop that turns most of each stream into bytes, inflates about a third
# faster at -O2 than at -Os (measured under Wine), for some 300 bytes more.
set_source_files_properties(${K7_ZLIB_SOURCE}/inffast.c PROPERTIES COMPILE_OPTIONS -O2)

# zlib's tables made when first needed instead of constants in the file: 2 KB for the blocks
# of fixed codes, 5 KB for CRC-32 where it is used. Until then they are zero-filled
# data, which costs the file nothing only outside data sections: for Windows, GCC puts a
# zero-filled variable of its own section into .data, with its bytes. zlib makes the fixed-code
# tables without a lock, which is safe because the Installer inflates on one thread only.
# CRC-32 byte by byte (zlib's Z_TESTW=0: no braids), the smallest of zlib's ways: 630 bytes less
# code than five braids, which keeps the Installer under its size ceiling. It checks the packed
# payload streams once a run: the product's 18 MB in 58 ms under Wine, against 16 ms with five
# braids (docs/benchmarks.md), some 5% of an installation.
set_source_files_properties(${K7_ZLIB_SOURCE}/inflate.c PROPERTIES
                            COMPILE_DEFINITIONS BUILDFIXED COMPILE_OPTIONS -fno-data-sections)
set_source_files_properties(${K7_ZLIB_SOURCE}/crc32.c PROPERTIES
                            COMPILE_DEFINITIONS "DYNAMIC_CRC_TABLE;Z_TESTW=0"
                            COMPILE_OPTIONS -fno-data-sections)

# Host build: portable library, build tools, payload packing and host unit tests.
find_package(ZLIB REQUIRED)
# libdeflate (Debian: libdeflate-dev) inflates the payload's streams and deflates them.
find_path(K7_LIBDEFLATE_INCLUDE libdeflate.h REQUIRED)
find_library(K7_LIBDEFLATE deflate REQUIRED)

set(K7_PAYLOAD_DIR "" CACHE PATH "Folder of real product files to pack instead of the sample payload")
option(K7_PACK_WITH_ZLIB9 "Deflate the payload with zlib level 9 (the download-size benchmark's comparison)" OFF)
set(K7_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

# The portable logic, built plainly for the tools and with sanitizers for the tests.
add_library(k7_portable STATIC ${K7_PORTABLE_SOURCES})
k7_code_options(k7_portable)
target_include_directories(k7_portable SYSTEM PUBLIC ${K7_LIBDEFLATE_INCLUDE})
target_link_libraries(k7_portable PUBLIC ZLIB::ZLIB ${K7_LIBDEFLATE})

add_library(k7_portable_checked STATIC ${K7_PORTABLE_SOURCES})
k7_code_options(k7_portable_checked)
target_compile_options(k7_portable_checked PUBLIC ${K7_SANITIZE})
target_link_options(k7_portable_checked PUBLIC ${K7_SANITIZE})
target_include_directories(k7_portable_checked SYSTEM PUBLIC ${K7_LIBDEFLATE_INCLUDE})
target_link_libraries(k7_portable_checked PUBLIC ZLIB::ZLIB ${K7_LIBDEFLATE})

# Build tools.
add_library(k7_tool_support STATIC tools/zlib_file.cpp)
k7_code_options(k7_tool_support)
target_include_directories(k7_tool_support SYSTEM PRIVATE ${K7_LIBDEFLATE_INCLUDE})
target_link_libraries(k7_tool_support PUBLIC ZLIB::ZLIB ${K7_LIBDEFLATE})

foreach(tool pack_payload make_sample_payload make_glyph_sheets)
  add_executable(${tool} tools/${tool}.cpp)
  k7_code_options(${tool})
  target_link_libraries(${tool} PRIVATE k7_tool_support k7_portable)
endforeach()

# The glyph sheets, drawn from GNU Unifont (see resources/GLYPHS_NOTICE.md).
set(K7_UNIFONT_HEX /usr/share/unifont/unifont.hex CACHE FILEPATH "GNU Unifont's hex file (Debian package unifont)")
set(K7_GLYPH_SHEETS ${CMAKE_BINARY_DIR}/glyph_sheets.bin)
add_custom_command(
  OUTPUT ${K7_GLYPH_SHEETS}
  COMMAND make_glyph_sheets ${K7_UNIFONT_HEX} ${K7_GLYPH_SHEETS}
  DEPENDS make_glyph_sheets ${K7_UNIFONT_HEX}
  COMMENT "Drawing the glyph sheets from ${K7_UNIFONT_HEX}")

# The payload: the sample product, or the packager's folder of real files.
set(K7_SAMPLE_PAYLOAD_DIR ${CMAKE_BINARY_DIR}/sample_payload)
add_custom_command(
  OUTPUT ${K7_SAMPLE_PAYLOAD_DIR}/.stamp
  COMMAND make_sample_payload ${K7_SAMPLE_PAYLOAD_DIR} ${K7_GLYPH_SHEETS}
  COMMAND ${CMAKE_COMMAND} -E touch ${K7_SAMPLE_PAYLOAD_DIR}/.stamp
  DEPENDS make_sample_payload ${K7_GLYPH_SHEETS}
  COMMENT "Writing the sample payload")
if(K7_PAYLOAD_DIR)
  set(K7_PACK_SOURCE ${K7_PAYLOAD_DIR})
  set(K7_PACK_DEPENDS "")
else()
  set(K7_PACK_SOURCE ${K7_SAMPLE_PAYLOAD_DIR})
  set(K7_PACK_DEPENDS ${K7_SAMPLE_PAYLOAD_DIR}/.stamp)
endif()
# The packer runs in every build: a build cannot see every change of a folder (bytes changed
# with the size and time kept, files added or removed), the packer can. It packs only what
# changed and rewrites payload.rc only then, which is what the Windows build's resources
# depend on.
add_custom_target(payload ALL
  COMMAND pack_payload $<$<BOOL:${K7_PACK_WITH_ZLIB9}>:--zlib-level-9> ${K7_PACK_SOURCE}
          ${CMAKE_BINARY_DIR}/payload ${CMAKE_BINARY_DIR}/payload/payload.rc
  BYPRODUCTS ${CMAKE_BINARY_DIR}/payload/payload.rc
  DEPENDS pack_payload ${K7_PACK_DEPENDS} ${K7_SAMPLE_PAYLOAD_DIR}/.stamp
  COMMENT "Packing what changed in ${K7_PACK_SOURCE}")

# Host unit tests of the portable logic.
add_subdirectory(${K7_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
file(GLOB K7_HOST_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/host/*.cpp)
add_executable(k7_host_tests ${K7_HOST_TEST_SOURCES})
k7_code_options(k7_host_tests)
target_link_libraries(k7_host_tests PRIVATE k7_portable_checked k7_tool_support GTest::gtest_main)
target_compile_definitions(k7_host_tests PRIVATE
  K7_SAMPLE_PAYLOAD_DIR="${K7_SAMPLE_PAYLOAD_DIR}"
  K7_GLYPH_SHEETS_FILE="${K7_GLYPH_SHEETS}"
  K7_MAKE_GLYPH_SHEETS_TOOL="$<TARGET_FILE:make_glyph_sheets>"
  K7_UNIFONT_HEX="${K7_UNIFONT_HEX}"
  K7_PACKED_PAYLOAD_DIR="${CMAKE_BINARY_DIR}/payload"
  K7_PACK_PAYLOAD_TOOL="$<TARGET_FILE:pack_payload>")
add_dependencies(k7_host_tests payload)
add_test(NAME host_unit_tests COMMAND k7_host_tests)

# Win32 build: the Installer (PE32 GUI, static, deterministic) and its tests, run under Wine. With
# cmake/mingw-x86_64.cmake the same sources make the PE32+ twin, run under 64-bit Wine.
set(K7_HOST_BUILD_DIR "" CACHE PATH "The host build folder whose tools and payload this build uses")
if(NOT K7_HOST_BUILD_DIR)
  message(FATAL_ERROR "K7_HOST_BUILD_DIR must name the host build folder (scripts/build.sh sets it)")
endif()
set(K7_PAYLOAD_RC ${K7_HOST_BUILD_DIR}/payload/payload.rc)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 936")
set(K7_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(K7_WINE_ARCH win64)
else()
  set(K7_WINE_ARCH win32)
endif()
# What every test's environment holds for tests/wine/wine_exec.sh.
set(K7_WINE_ENV "K7_WINE_PREFIX=${K7_WINE_PREFIX};K7_WINE_ARCH=${K7_WINE_ARCH}")
# The shipped PE32 Installer, whose resource table the twin's tests read as data.
set(K7_SHIPPED_INSTALLER "${CMAKE_BINARY_DIR}/K7_Quorvane_Setup.exe" CACHE FILEPATH
    "The PE32 Installer whose file the tests check (the twin build names the PE32 build's)")

# Installer code: no exceptions, no RTTI and so no unwind tables, as small as the compiler makes
# it (-Oz: none of our own code is hot; libdeflate's inflating loop keeps -O2), without the
# compiler's name in every object's data; deterministic link without a timestamp. The Installer is linked
# with link-time optimisation over its own code, libdeflate and zlib (K7_LTO): the link sees the
# whole program, inlines across files and keeps one copy of each constant that several files
# name (the manifest's file names), 2.5 KB less than each file compiled alone. The objects carry
# their machine code too, so that the test programs link them without it.
set(K7_LTO -flto -ffat-lto-objects)
# The Installer's code, libdeflate's and zlib's are for the 386 and later, the processors that
# Windows 95 and NT 3.51 ran on: Debian's compiler targets the Pentium Pro unless told otherwise,
# whose cmov a 386, 486 or Pentium stops at. Tuned for the processors of today, which run the
# Installer most often. tests/check_instructions.sh holds the shipped Installer to it. (The tests
# and GoogleTest, which need the 486's atomic instructions, keep the compiler's default.)
set(K7_W32_PROCESSOR)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(K7_W32_PROCESSOR -march=i386 -mtune=generic)
endif()
set(K7_W32_COMPILE ${K7_W32_PROCESSOR} -Oz -ffunction-sections -fdata-sections -fno-exceptions -fno-rtti
                   -fno-asynchronous-unwind-tables -fno-ident ${K7_LTO})
set(K7_W32_LINK -static -Wl,--no-insert-timestamp -Wl,--gc-sections)
# Every other program links the objects' machine code, without the optimisation.
set(K7_PLAIN_LINK ${K7_W32_LINK} -fno-use-linker-plugin)

# The zlib every Windows program links: its inflating half, built from source (the Installer
# takes only its CRC-32 from it; the install floor of bench/install_speed.sh inflates with it).
include(cmake/zlib_inflate.cmake)
set(K7_ZLIB_STATIC k7_zlib)
# libdeflate's decompressor, which the Installer inflates with, built from source.
include(cmake/libdeflate_decompress.cmake)

add_library(k7_portable_w32 STATIC ${K7_PORTABLE_SOURCES})
k7_code_options(k7_portable_w32)
target_compile_options(k7_portable_w32 PRIVATE ${K7_W32_COMPILE})
target_link_libraries(k7_portable_w32 PUBLIC k7_libdeflate ${K7_ZLIB_STATIC})

# k7_win32_library(NAME [DEFINITIONS...]): the Installer's Win32 code as library NAME, built
# with DEFINITIONS (k7_win32 has none; bench/bench.cmake's timed build has one).
function(k7_win32_library name)
  add_library(${name} STATIC ${K7_WIN32_SOURCES})
  k7_code_options(${name})
  # The process-wide values live here, zero-filled buffers mostly: outside data sections they
  # take no bytes of the file (for Windows, GCC puts a zero-filled variable of its own section
  # into .data, with its bytes).
  target_compile_options(${name} PRIVATE ${K7_W32_COMPILE} -fno-data-sections)
  target_compile_definitions(${name} PUBLIC WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0501
                                            ${ARGN})
  # Only DLLs that Windows always takes from its system folder: the common controls, the common
  # dialog and the shell's folder lookup are loaded at run time (common/system_libraries.h).
  target_link_libraries(${name} PUBLIC k7_portable_w32 ole32 advapi32 gdi32 user32 kernel32)
endfunction()
k7_win32_library(k7_win32)

# The Installer and the test builds of it: its own entry point and its own few C library
# routines (app/win_main.cpp, common/c_library_win32.cpp), no C library at all. Without the C
# runtime's start-up code the link refuses data imported without dllimport, which only that code
# would patch; libgcc stays for the stack probe of large frames.
set(K7_INSTALLER_SOURCES app/win_main.cpp common/c_library_win32.cpp resources/installer.rc)
# The C routines are compiled apart from the link-time optimisation: the calls of memcpy or
# calloc that the compiler itself makes are resolved only after it. libgcc's stack probe, which
# the PE32+ twin calls for its licence page's frame of more than 4 KB, is named to the linker
# before the optimisation: found only after it, it crashes Debian's linker (binutils 2.40).
set(K7_INSTALLER_LINK ${K7_W32_LINK} -Oz -flto -nostdlib -nostartfiles
                      -Wl,--disable-auto-import -Wl,--disable-runtime-pseudo-reloc)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  list(APPEND K7_INSTALLER_LINK -Wl,--undefined=___chkstk_ms)
endif()
set_source_files_properties(common/c_library_win32.cpp PROPERTIES COMPILE_OPTIONS
                            "-fno-builtin;-fno-tree-loop-distribute-patterns;-fno-lto")
# The timed build's clock divides 64-bit numbers, which libgcc does; a call of libgcc that only
# the optimisation makes crashes Debian's linker (below), so that file is compiled apart too (in
# the other builds it is empty).
set_source_files_properties(common/step_times_win32.cpp PROPERTIES COMPILE_OPTIONS -fno-lto)
# k7_installer_executable(NAME [LIBRARY WIN32_LIBRARY] [SOURCES...]): an Installer build, with
# the Win32 code of k7_win32 or of WIN32_LIBRARY; SOURCES stand in for the library files that
# define the same functions (a test build's variant of one file: the link takes a library's
# file only for a function that nothing before it defines).
function(k7_installer_executable name)
  cmake_parse_arguments(I "" "LIBRARY" "" ${ARGN})
  if(NOT I_LIBRARY)
    set(I_LIBRARY k7_win32)
  endif()
  add_executable(${name} WIN32 ${K7_INSTALLER_SOURCES} ${I_UNPARSED_ARGUMENTS})
  k7_code_options(${name})
  target_compile_options(${name} PRIVATE ${K7_W32_COMPILE})
  target_link_options(${name} PRIVATE ${K7_INSTALLER_LINK})
  target_link_libraries(${name} PRIVATE ${I_LIBRARY} gcc)
  # The resource script's own files by <name>, so that a test build's folder put first gives
  # its variant of one (tests/win32/installer_e2e_tests.cmake).
  target_include_directories(${name} PRIVATE ${K7_HOST_BUILD_DIR}/payload
                                             ${PROJECT_SOURCE_DIR}/resources)
endfunction()

# The Installer. The map is checked for static constructors and thread-local data, which only
# the C runtime's start-up code would set up, and shows where the bytes come from
# (bench/installer_size.sh).
k7_installer_executable(K7_Quorvane_Setup)
set(K7_INSTALLER_MAP ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup.map)
target_link_options(K7_Quorvane_Setup PRIVATE -s -Wl,-Map,${K7_INSTALLER_MAP})
add_custom_command(TARGET K7_Quorvane_Setup POST_BUILD
                   COMMAND ${CMAKE_COMMAND} -DMAP=${K7_INSTALLER_MAP}
                           -P ${PROJECT_SOURCE_DIR}/cmake/check_no_startup_needs.cmake)
# The same link with its symbols kept, never shipped: its code is the Installer's, byte for byte,
# and names the functions for tests/check_instructions.sh.
k7_installer_executable(K7_Quorvane_Setup_symbols)

# windres reports no dependencies: name the files the resource script takes in.
# The test builds whose resource scripts include the Installer's take the same list
# (k7_includes_installer_resources), or an icon changed would survive in them.
set(K7_INSTALLER_RC_INPUTS ${PROJECT_SOURCE_DIR}/resources/installer.rc
    ${PROJECT_SOURCE_DIR}/resources/wizard_template.rc ${K7_PAYLOAD_RC}
    ${PROJECT_SOURCE_DIR}/resources/product.ico ${PROJECT_SOURCE_DIR}/resources/wizard.ico
    ${PROJECT_SOURCE_DIR}/resources/installer.manifest ${PROJECT_SOURCE_DIR}/resources/resource_ids.h
    ${PROJECT_BINARY_DIR}/generated/version.h)
function(k7_includes_installer_resources rc_file)
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${K7_INSTALLER_RC_INPUTS}")
endfunction()
k7_includes_installer_resources(resources/installer.rc)

# GoogleTest for Windows.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${K7_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Z:-drive paths of host folders, as Wine sees them.
function(k7_wine_path out host_path)
  string(REPLACE "/" "\\\\" p "${host_path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()
k7_wine_path(K7_SAMPLE_PAYLOAD_DIR_WINE ${K7_HOST_BUILD_DIR}/sample_payload)

# Screenshots that the tests save (BMP; scripts/test.sh adds PNG copies). Wine runs as an
# unprivileged user when the tests run as root, so the folder is writable for everyone.
set(K7_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${K7_SCREENSHOT_DIR})
file(CHMOD ${K7_SCREENSHOT_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_WRITE GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
k7_wine_path(K7_SCREENSHOT_DIR_WINE ${K7_SCREENSHOT_DIR})

# The Win32 tests' kit, shared by every test executable: the Installer started and its windows
# driven, real mouse and keyboard input, canvases and screen captures, files and links on disk,
# the installed product checked, message boxes answered.
add_library(k7_test_kit STATIC tests/win32/installer_driver.cpp tests/win32/user_input.cpp
            tests/win32/canvas.cpp tests/win32/test_files.cpp tests/win32/installed_product.cpp
            tests/win32/dialog_answerer.cpp)
k7_code_options(k7_test_kit)
target_link_libraries(k7_test_kit PUBLIC k7_win32 uuid comctl32 comdlg32 GTest::gtest)
target_include_directories(k7_test_kit PUBLIC ${K7_HOST_BUILD_DIR}/payload
                                              ${PROJECT_SOURCE_DIR}/tests/win32)
target_compile_definitions(k7_test_kit PUBLIC K7_SAMPLE_PAYLOAD_DIR="${K7_SAMPLE_PAYLOAD_DIR_WINE}"
                                              K7_SCREENSHOT_DIR="${K7_SCREENSHOT_DIR_WINE}")

# Win32 tests: one executable per area, each run by ctest through Wine. ENV adds variables to
# the test's environment, e.g. LC_ALL=zh_CN.UTF-8 for a Chinese system.
function(k7_win32_test name)
  cmake_parse_arguments(T "" "" "SOURCES;ENV" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  k7_code_options(${name})
  target_link_options(${name} PRIVATE -static -mconsole -fno-use-linker-plugin)
  target_link_libraries(${name} PRIVATE k7_test_kit GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${K7_WINE_ENV}")
  if(T_ENV)
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT ${T_ENV})
  endif()
endfunction()

# Each tests/win32/*.cmake declares the test executables of one area.
file(GLOB K7_WIN32_TEST_LISTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cmake)
foreach(list ${K7_WIN32_TEST_LISTS})
  include(${list})
endforeach()

include(bench/bench.cmake)  # the install floor of bench/install_speed.sh

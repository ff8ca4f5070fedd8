# Benchmark programs of the Windows build, for bench/install_speed.sh, built only when named:
# the install floor, built like the Installer (small, static, stripped) from the same packed
# payload, with the shell's link object for its --links, and the timed Installer, which writes where its time went (common/step_times.h).
add_executable(install_floor WIN32 EXCLUDE_FROM_ALL bench/install_floor.cpp bench/install_floor.rc)
k7_code_options(install_floor)
target_compile_options(install_floor PRIVATE ${K7_W32_COMPILE})
target_link_options(install_floor PRIVATE ${K7_PLAIN_LINK} -s)
target_link_libraries(install_floor PRIVATE ${K7_ZLIB_STATIC} shell32 ole32 uuid kernel32)
target_include_directories(install_floor PRIVATE ${K7_HOST_BUILD_DIR}/payload)
set_source_files_properties(bench/install_floor.rc PROPERTIES OBJECT_DEPENDS ${K7_PAYLOAD_RC})

k7_win32_library(k7_win32_timed K7_STEP_TIMES)
set_target_properties(k7_win32_timed PROPERTIES EXCLUDE_FROM_ALL ON)
k7_installer_executable(K7_Quorvane_Setup_timed LIBRARY k7_win32_timed)
set_target_properties(K7_Quorvane_Setup_timed PROPERTIES EXCLUDE_FROM_ALL ON)
target_link_options(K7_Quorvane_Setup_timed PRIVATE -s)
include(bench/first_paint.cmake)  # the bare dialog and the driver of bench/first_paint.sh

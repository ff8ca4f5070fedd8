# Benchmark programs of the Windows build, for bench/install_speed.sh: the install floor, built
# like the Installer (small, static, stripped) from the same packed payload.
add_executable(install_floor WIN32 bench/install_floor.cpp bench/install_floor.rc)
k7_code_options(install_floor)
target_compile_options(install_floor PRIVATE ${K7_W32_COMPILE})
target_link_options(install_floor PRIVATE ${K7_W32_LINK} -s)
target_link_libraries(install_floor PRIVATE ${K7_ZLIB_STATIC} kernel32)
target_include_directories(install_floor PRIVATE ${K7_HOST_BUILD_DIR}/payload)
set_source_files_properties(bench/install_floor.rc PROPERTIES OBJECT_DEPENDS ${K7_PAYLOAD_RC})

# Benchmark programs of the Windows build for bench/first_paint.sh, built only when named: the
# bare dialog (the wizard's template 101 shown, nothing else) and the driver that times first pages.

# The bare dialog, linked as the Installer is (its own entry point, no C library), so that both
# start alike and the difference is what the Installer does before its first page.
add_executable(bare_dialog WIN32 EXCLUDE_FROM_ALL bench/bare_dialog.cpp bench/bare_dialog.rc)
k7_code_options(bare_dialog)
target_compile_options(bare_dialog PRIVATE ${K7_W32_COMPILE})
target_link_options(bare_dialog PRIVATE ${K7_INSTALLER_LINK} -s)
target_link_libraries(bare_dialog PRIVATE comctl32 user32 kernel32 gcc)
target_include_directories(bare_dialog PRIVATE ${PROJECT_SOURCE_DIR}/resources)
# windres reports no dependencies: name the files the resource script takes in.
set(K7_BARE_DIALOG_RC_INPUTS ${PROJECT_SOURCE_DIR}/resources/wizard_template.rc
    ${PROJECT_SOURCE_DIR}/resources/product.ico ${PROJECT_SOURCE_DIR}/resources/wizard.ico
    ${PROJECT_SOURCE_DIR}/resources/installer.manifest)
set_source_files_properties(bench/bare_dialog.rc PROPERTIES OBJECT_DEPENDS
                            "${K7_BARE_DIALOG_RC_INPUTS}")

# The driver: a console program that starts the programs and prints the table.
add_executable(first_paint EXCLUDE_FROM_ALL bench/first_paint.cpp)
k7_code_options(first_paint)
target_compile_options(first_paint PRIVATE ${K7_W32_COMPILE})
target_link_options(first_paint PRIVATE ${K7_PLAIN_LINK} -s -mconsole)
target_link_libraries(first_paint PRIVATE gdi32 user32 kernel32)

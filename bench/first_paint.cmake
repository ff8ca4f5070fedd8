# Benchmark programs of the Windows build for bench/first_paint.sh, built only when named: the
# bare dialog (the wizard's template 101 shown, nothing else) and the driver that times first pages.

# Template 101 as resources/installer.rc has it, copied out at configure time (that file carries
# the payload too, which the bare dialog must not): the lines from "IDD_WIZARD DIALOGEX" to its
# END. CMake configures again whenever resources/installer.rc changes.
set(K7_INSTALLER_RC ${PROJECT_SOURCE_DIR}/resources/installer.rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${K7_INSTALLER_RC})
file(READ ${K7_INSTALLER_RC} k7_installer_rc_text)
string(FIND "${k7_installer_rc_text}" "\nIDD_WIZARD DIALOGEX" k7_wizard_start)
if(k7_wizard_start EQUAL -1)
  message(FATAL_ERROR "bench/first_paint.cmake: no IDD_WIZARD DIALOGEX in ${K7_INSTALLER_RC}")
endif()
string(SUBSTRING "${k7_installer_rc_text}" ${k7_wizard_start} -1 k7_wizard_text)
string(FIND "${k7_wizard_text}" "\nEND" k7_wizard_length)
if(k7_wizard_length EQUAL -1)
  message(FATAL_ERROR "bench/first_paint.cmake: IDD_WIZARD has no END in ${K7_INSTALLER_RC}")
endif()
string(SUBSTRING "${k7_wizard_text}" 1 ${k7_wizard_length} k7_wizard_text)
set(K7_BARE_DIALOG_DIR ${CMAKE_BINARY_DIR}/bare_dialog)
# file(CONFIGURE) writes only when the text changed: an unchanged template rebuilds nothing.
set(k7_wizard_note "// Template 101, copied from resources/installer.rc (bench/first_paint.cmake).")
file(CONFIGURE OUTPUT ${K7_BARE_DIALOG_DIR}/wizard_template.rc
     CONTENT "${k7_wizard_note}\n${k7_wizard_text}END\n" @ONLY)

# The bare dialog, linked as the Installer is (its own entry point, no C library), so that both
# start alike and the difference is what the Installer does before its first page.
add_executable(bare_dialog WIN32 EXCLUDE_FROM_ALL bench/bare_dialog.cpp bench/bare_dialog.rc)
k7_code_options(bare_dialog)
target_compile_options(bare_dialog PRIVATE ${K7_W32_COMPILE})
target_link_options(bare_dialog PRIVATE ${K7_INSTALLER_LINK} -s)
target_link_libraries(bare_dialog PRIVATE comctl32 user32 kernel32 gcc)
target_include_directories(bare_dialog PRIVATE ${K7_BARE_DIALOG_DIR}
                                               ${PROJECT_SOURCE_DIR}/resources)
# windres reports no dependencies: name the files the resource script takes in.
set(K7_BARE_DIALOG_RC_INPUTS ${K7_BARE_DIALOG_DIR}/wizard_template.rc
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

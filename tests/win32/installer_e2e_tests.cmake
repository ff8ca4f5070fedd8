# The real Installer driven end to end, and test builds of it: one whose glyph sheets do not
# inflate, one whose file "py_1key.dic" (resource 143) is cut short, one whose English licence
# (161) is, one whose file writes go wrong on demand, one that meets what the first Windows 95
# gives it, one without its wizard.

# k7_installer_with_cut_stream(NAME ID): K7_Quorvane_Setup_NAME.exe, its resource ID cut to 64 bytes.
function(k7_installer_with_cut_stream name id)
  set(dir ${CMAKE_BINARY_DIR}/${name})
  add_custom_command(
    OUTPUT ${dir}/payload.rc
    COMMAND ${CMAKE_COMMAND} -DIN=${K7_PAYLOAD_RC} -DOUT=${dir}/payload.rc -DID=${id} -DKEEP=64
            -P ${PROJECT_SOURCE_DIR}/cmake/payload_with_cut_stream.cmake
    DEPENDS ${K7_PAYLOAD_RC} ${PROJECT_SOURCE_DIR}/cmake/payload_with_cut_stream.cmake)
  add_custom_target(${name}_payload DEPENDS ${dir}/payload.rc)
  k7_installer_executable(K7_Quorvane_Setup_${name})
  target_include_directories(K7_Quorvane_Setup_${name} BEFORE PRIVATE ${dir})
  add_dependencies(K7_Quorvane_Setup_${name} ${name}_payload)
endfunction()
k7_installer_with_cut_stream(no_glyphs 110)
k7_installer_with_cut_stream(cut_py1key 143)
k7_installer_with_cut_stream(cut_english_licence 161)

# A build whose write of one manifest file goes wrong as K7_TEST_FAULT says (a failure, or the
# process ending, between keeping the earlier copy and moving the new file in).
# Each test build differs from the Installer only by the files it compiles in place of the
# Installer's own (tests/win32/variants/): a source file of the same functions, or a folder put
# first on the include path, whose file of the same name is found instead.
k7_installer_executable(K7_Quorvane_Setup_faulty install/payload_win32.cpp)
target_include_directories(K7_Quorvane_Setup_faulty BEFORE PRIVATE
                           ${PROJECT_SOURCE_DIR}/tests/win32/variants/faulty)

# A build that meets what the first Windows 95 gives it: its lookups of newer kernel32 calls
# find nothing, and DeleteFileW fails as a stub; its writes go wrong as the faulty build's do.
k7_installer_executable(K7_Quorvane_Setup_as_win95 install/payload_win32.cpp
                        tests/win32/variants/procedure_as_seen_on_windows_95_win32.cpp)
target_include_directories(K7_Quorvane_Setup_as_win95 BEFORE PRIVATE
                           ${PROJECT_SOURCE_DIR}/tests/win32/variants/faulty)

# And a build whose wizard template is an empty file, so that the wizard cannot be created.
k7_installer_executable(K7_Quorvane_Setup_no_wizard)
target_include_directories(K7_Quorvane_Setup_no_wizard BEFORE PRIVATE
                           ${PROJECT_SOURCE_DIR}/tests/win32/variants/no_wizard)

k7_wine_path(K7_NO_WIZARD_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_no_wizard.exe)
k7_wine_path(K7_INSTALLER_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup.exe)
k7_wine_path(K7_NO_GLYPHS_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_no_glyphs.exe)
k7_wine_path(K7_CUT_PY1KEY_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_cut_py1key.exe)
k7_wine_path(K7_CUT_LICENCE_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_cut_english_licence.exe)
k7_wine_path(K7_SHIPPED_INSTALLER_WINE ${K7_SHIPPED_INSTALLER})

k7_win32_test(installer_e2e_tests SOURCES tests/win32/installer_e2e_test.cpp)
target_link_libraries(installer_e2e_tests PRIVATE version)
target_compile_definitions(installer_e2e_tests PRIVATE
  K7_INSTALLER_EXE="${K7_INSTALLER_WINE}"
  K7_SHIPPED_INSTALLER_EXE="${K7_SHIPPED_INSTALLER_WINE}"
  K7_INSTALLER_NO_GLYPHS_EXE="${K7_NO_GLYPHS_WINE}"
  K7_INSTALLER_NO_WIZARD_EXE="${K7_NO_WIZARD_WINE}"
  K7_INSTALLER_CUT_LICENCE_EXE="${K7_CUT_LICENCE_WINE}")
add_dependencies(installer_e2e_tests K7_Quorvane_Setup K7_Quorvane_Setup_no_glyphs
                 K7_Quorvane_Setup_no_wizard K7_Quorvane_Setup_cut_english_licence)

# Whole installations, silent and through the wizard, checked on the files they leave.
k7_win32_test(installation_run_tests SOURCES tests/win32/installation_run_test.cpp
              ENV LC_ALL=en_US.UTF-8)
k7_wine_path(K7_AS_WIN95_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_as_win95.exe)
k7_wine_path(K7_FAULTY_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_faulty.exe)
target_compile_definitions(installation_run_tests PRIVATE
  K7_INSTALLER_EXE="${K7_INSTALLER_WINE}"
  K7_INSTALLER_CUT_PY1KEY_EXE="${K7_CUT_PY1KEY_WINE}"
  K7_INSTALLER_AS_WIN95_EXE="${K7_AS_WIN95_WINE}"
  K7_INSTALLER_FAULTY_EXE="${K7_FAULTY_WINE}")
add_dependencies(installation_run_tests K7_Quorvane_Setup K7_Quorvane_Setup_cut_py1key
                 K7_Quorvane_Setup_as_win95 K7_Quorvane_Setup_faulty)

# The whole wizard through its window, on an English, a Simplified- and a Traditional-Chinese
# system, and on every Windows generation as Wine tells it to the Installer: NT 3.51 (major
# version 3: shell folders composed under the Windows folder), 95 (not NT), NT 4.0, XP and 10.
k7_win32_test(wizard_install_tests SOURCES tests/win32/wizard_install_test.cpp
              ENV LC_ALL=en_US.UTF-8)
target_compile_definitions(wizard_install_tests PRIVATE K7_INSTALLER_EXE="${K7_INSTALLER_WINE}")
add_dependencies(wizard_install_tests K7_Quorvane_Setup)
# Columns: test name suffix, locale, Windows version Wine reports to the Installer (- for its own).
foreach(system "zh_CN zh_CN -" "zh_TW zh_TW -" "nt351 en_US nt351" "win95 en_US win95"
               "nt40 en_US nt40" "winxp en_US winxp" "win10 en_US win10")
  string(REPLACE " " ";" fields "${system}")
  list(GET fields 0 suffix)
  list(GET fields 1 locale)
  list(GET fields 2 version)
  set(env "${K7_WINE_ENV};LC_ALL=${locale}.UTF-8")
  if(NOT version STREQUAL "-")
    list(APPEND env "K7_TEST_WINDOWS_VERSION=${version}")
  endif()
  add_test(NAME wizard_install_tests_${suffix} COMMAND wizard_install_tests
           --gtest_filter=Wizard.InstallsThroughEveryPage)
  set_tests_properties(wizard_install_tests_${suffix} PROPERTIES ENVIRONMENT "${env}")
endforeach()

# A DLL planted beside a copy of the Installer under the names of comctl32.dll and comdlg32.dll,
# with Wine told to prefer such a DLL to its own: the Installer must not load it.
add_library(planted_dll SHARED tests/win32/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "")
target_link_options(planted_dll PRIVATE -static -Wl,--kill-at)
k7_wine_path(K7_PLANTED_DLL_WINE ${CMAKE_BINARY_DIR}/planted_dll.dll)
target_compile_definitions(installer_e2e_tests PRIVATE K7_PLANTED_DLL="${K7_PLANTED_DLL_WINE}")
add_dependencies(installer_e2e_tests planted_dll)
add_test(NAME installer_beside_planted_dlls COMMAND installer_e2e_tests
         --gtest_filter=InstallerBesideDownloads.*)
set_tests_properties(installer_beside_planted_dlls PROPERTIES ENVIRONMENT
                     "${K7_WINE_ENV};K7_WINEDLLOVERRIDES=comctl32,comdlg32=n,b")

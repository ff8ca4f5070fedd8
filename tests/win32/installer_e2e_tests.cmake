# The real Installer driven end to end, and a build of it whose glyph sheets do not inflate.
set(K7_NO_GLYPHS_DIR ${CMAKE_BINARY_DIR}/no_glyphs)
add_custom_command(
  OUTPUT ${K7_NO_GLYPHS_DIR}/payload.rc
  COMMAND ${CMAKE_COMMAND} -DIN=${K7_PAYLOAD_RC} -DOUT=${K7_NO_GLYPHS_DIR}/payload.rc
          -P ${PROJECT_SOURCE_DIR}/cmake/payload_without_glyphs.cmake
  DEPENDS ${K7_PAYLOAD_RC} ${PROJECT_SOURCE_DIR}/cmake/payload_without_glyphs.cmake)
add_custom_target(no_glyphs_payload DEPENDS ${K7_NO_GLYPHS_DIR}/payload.rc)
add_executable(K7_Quorvane_Setup_no_glyphs WIN32 app/win_main.cpp resources/installer.rc)
k7_code_options(K7_Quorvane_Setup_no_glyphs)
target_link_options(K7_Quorvane_Setup_no_glyphs PRIVATE ${K7_W32_LINK})
target_link_libraries(K7_Quorvane_Setup_no_glyphs PRIVATE k7_win32)
target_include_directories(K7_Quorvane_Setup_no_glyphs BEFORE PRIVATE ${K7_NO_GLYPHS_DIR})
add_dependencies(K7_Quorvane_Setup_no_glyphs no_glyphs_payload)

# And a build whose wizard template is missing, so that the wizard cannot be created.
add_executable(K7_Quorvane_Setup_no_wizard WIN32 app/win_main.cpp resources/installer.rc)
k7_code_options(K7_Quorvane_Setup_no_wizard)
target_link_options(K7_Quorvane_Setup_no_wizard PRIVATE ${K7_W32_LINK})
target_link_libraries(K7_Quorvane_Setup_no_wizard PRIVATE k7_win32)
target_include_directories(K7_Quorvane_Setup_no_wizard PRIVATE ${K7_HOST_BUILD_DIR}/payload)
target_compile_definitions(K7_Quorvane_Setup_no_wizard PRIVATE K7_WITHOUT_WIZARD_TEMPLATE)

k7_wine_path(K7_NO_WIZARD_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_no_wizard.exe)
k7_wine_path(K7_INSTALLER_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup.exe)
k7_wine_path(K7_NO_GLYPHS_WINE ${CMAKE_BINARY_DIR}/K7_Quorvane_Setup_no_glyphs.exe)
k7_wine_path(K7_SHIPPED_INSTALLER_WINE ${K7_SHIPPED_INSTALLER})

k7_win32_test(installer_e2e_tests SOURCES tests/win32/installer_e2e_test.cpp
              tests/win32/installer_driver.cpp tests/win32/canvas.cpp tests/win32/test_files.cpp)
target_compile_definitions(installer_e2e_tests PRIVATE
  K7_INSTALLER_EXE="${K7_INSTALLER_WINE}"
  K7_SHIPPED_INSTALLER_EXE="${K7_SHIPPED_INSTALLER_WINE}"
  K7_INSTALLER_NO_GLYPHS_EXE="${K7_NO_GLYPHS_WINE}"
  K7_INSTALLER_NO_WIZARD_EXE="${K7_NO_WIZARD_WINE}")
add_dependencies(installer_e2e_tests K7_Quorvane_Setup K7_Quorvane_Setup_no_glyphs
                 K7_Quorvane_Setup_no_wizard)

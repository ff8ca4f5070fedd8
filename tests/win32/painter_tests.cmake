# The painters drawing into DIB sections, and the message dialog run for real, under Wine.
set(K7_SCREENSHOT_DIR ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${K7_SCREENSHOT_DIR})
# Wine runs as an unprivileged user, who writes the screenshots.
file(CHMOD ${K7_SCREENSHOT_DIR} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
     GROUP_READ GROUP_WRITE GROUP_EXECUTE WORLD_READ WORLD_WRITE WORLD_EXECUTE)
k7_wine_path(K7_SCREENSHOT_DIR_WINE ${K7_SCREENSHOT_DIR})

foreach(test painter_tests message_dialog_tests)
  string(REPLACE "_tests" "_test" source ${test})
  k7_win32_test(${test} SOURCES tests/win32/${source}.cpp tests/win32/canvas.cpp
                                tests/win32/painter_test.rc)
  target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
  target_compile_definitions(${test} PRIVATE K7_SCREENSHOT_DIR="${K7_SCREENSHOT_DIR_WINE}")
endforeach()
set_source_files_properties(tests/win32/painter_test.rc PROPERTIES
                            OBJECT_DEPENDS "${K7_PAYLOAD_RC};${PROJECT_SOURCE_DIR}/resources/installer.rc")

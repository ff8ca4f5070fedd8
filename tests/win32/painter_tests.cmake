# The painters drawing into DIB sections, and the message dialog run for real, under Wine.
foreach(test painter_tests message_dialog_tests)
  string(REPLACE "_tests" "_test" source ${test})
  k7_win32_test(${test} SOURCES tests/win32/${source}.cpp
                                tests/win32/painter_test.rc)
  target_include_directories(${test} PRIVATE ${PROJECT_SOURCE_DIR}/resources)
endforeach()
k7_includes_installer_resources(tests/win32/painter_test.rc)

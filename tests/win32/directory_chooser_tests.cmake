# The directory chooser run for real under Wine, on a Simplified-Chinese system (code page 936),
# where a folder name may end in a character whose second byte is 0x5C.
k7_win32_test(directory_chooser_tests SOURCES tests/win32/directory_chooser_test.cpp
                                              tests/win32/directory_chooser_test.rc
              ENV LC_ALL=zh_CN.UTF-8)
target_include_directories(directory_chooser_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
k7_includes_installer_resources(tests/win32/directory_chooser_test.rc)

# Shell folders and links. The whole suite runs on a Simplified-Chinese system (code page 936);
# the names test runs again on an English and on a Traditional-Chinese (Big5) system.
k7_win32_test(shell_tests SOURCES tests/win32/shell_test.cpp
                                  tests/win32/shell_test.rc
              ENV LC_ALL=zh_CN.UTF-8 K7_TEST_SYSTEM_LANGUAGE=1)
target_include_directories(shell_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
k7_includes_installer_resources(tests/win32/shell_test.rc)

foreach(system "english;en_US.UTF-8;0" "big5;zh_TW.UTF-8;2")
  list(GET system 0 suffix)
  list(GET system 1 locale)
  list(GET system 2 language)
  add_test(NAME shell_names_${suffix} COMMAND shell_tests --gtest_filter=StartMenuNames.*)
  set_tests_properties(shell_names_${suffix} PROPERTIES ENVIRONMENT
      "${K7_WINE_ENV};LC_ALL=${locale};K7_TEST_SYSTEM_LANGUAGE=${language}")
endforeach()

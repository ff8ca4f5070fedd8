# Word-base decision and stale-dictionary sweep, with the real message dialog template.
k7_win32_test(word_base_tests SOURCES tests/win32/word_base_test.cpp tests/win32/word_base_test.rc)
target_include_directories(word_base_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources)
k7_includes_installer_resources(tests/win32/word_base_test.rc)

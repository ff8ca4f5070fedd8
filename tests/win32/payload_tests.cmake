# The payload container and file writer, with the real packed payload and one damaged stream.
k7_win32_test(payload_tests SOURCES tests/win32/payload_test.cpp
                                    tests/win32/payload_test.rc)
set_source_files_properties(tests/win32/payload_test.rc PROPERTIES OBJECT_DEPENDS ${K7_PAYLOAD_RC})

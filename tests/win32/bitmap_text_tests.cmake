# Bitmap text drawn from the real glyph-sheet resource, and a loader fed a stream one byte short.
k7_win32_test(bitmap_text_tests SOURCES tests/win32/bitmap_text_test.cpp
                                        tests/win32/bitmap_text_test.rc)
set_source_files_properties(tests/win32/bitmap_text_test.rc PROPERTIES OBJECT_DEPENDS ${K7_PAYLOAD_RC})
k7_win32_test(short_glyph_sheets_tests SOURCES tests/win32/short_glyph_sheets_test.cpp
                                                tests/win32/short_glyph_sheets_test.rc)

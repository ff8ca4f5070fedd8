# Configuration-file update and control-settings copy, starting from the shipped velmarui.ini.
k7_win32_test(ui_config_tests SOURCES tests/win32/ui_config_test.cpp
                                      tests/win32/ui_config_test.rc)
set_source_files_properties(tests/win32/ui_config_test.rc PROPERTIES OBJECT_DEPENDS ${K7_PAYLOAD_RC})

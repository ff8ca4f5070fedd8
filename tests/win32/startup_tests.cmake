# Start-up under simulated Chinese and English systems (the locale decides the ANSI code page
# and the system language id that Wine reports).
k7_win32_test(startup_tests SOURCES tests/win32/startup_test.cpp)
set_tests_properties(startup_tests PROPERTIES ENVIRONMENT
  "${K7_WINE_ENV};LC_ALL=en_US.UTF-8;K7_EXPECT_SYSTEM_LANGUAGE=0")
# Columns: locale, expected SystemLanguage.
foreach(system "zh_CN.UTF-8 1" "zh_SG.UTF-8 1" "zh_TW.UTF-8 2" "zh_HK.UTF-8 2")
  string(REPLACE " " ";" fields "${system}")
  list(GET fields 0 locale)
  list(GET fields 1 language)
  add_test(NAME startup_tests_${locale} COMMAND startup_tests --gtest_filter=DetectEnvironment.SystemLanguage*)
  set_tests_properties(startup_tests_${locale} PROPERTIES ENVIRONMENT
    "${K7_WINE_ENV};LC_ALL=${locale};K7_EXPECT_SYSTEM_LANGUAGE=${language}")
endforeach()

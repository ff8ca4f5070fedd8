# The installation run made to fail, or stopped, at its file-system calls, in one process: a
# build of the Installer's Win32 code whose every file-system call goes through the test seam
# (tests/win32/file_system_seam.h, included before each of its sources; the shipped sources are
# the same files). Run on the NT platform's path, and on that of Windows 95, 98 and Me
# (K7_TEST_PLATFORM_9X: the Installer is told it runs there); each scenario is a test of its own, so
# that scripts/test.sh runs them two at a time.
k7_win32_library(k7_win32_seam)
target_compile_options(k7_win32_seam PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/win32/file_system_seam.h)
add_executable(fault_campaign_tests tests/win32/fault_campaign_test.cpp
               tests/win32/file_system_seam.cpp tests/win32/test_files.cpp
               tests/win32/installed_product.cpp tests/win32/fault_campaign_test.rc)
k7_code_options(fault_campaign_tests)
target_include_directories(fault_campaign_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/win32
                           ${PROJECT_SOURCE_DIR}/resources ${K7_HOST_BUILD_DIR}/payload)
target_compile_definitions(fault_campaign_tests PRIVATE
                           K7_SAMPLE_PAYLOAD_DIR="${K7_SAMPLE_PAYLOAD_DIR_WINE}")
k7_includes_installer_resources(tests/win32/fault_campaign_test.rc)
target_link_options(fault_campaign_tests PRIVATE -static -mconsole -fno-use-linker-plugin)
target_link_libraries(fault_campaign_tests PRIVATE k7_win32_seam uuid comctl32 comdlg32
                      GTest::gtest_main)
# Columns: test name suffix, the scenario's test, the platform's path ("nt", or "9x": the
# Installer is told it runs on Windows 95, 98 or Me).
foreach(campaign "upgrade AnUpgrade nt" "fresh AFreshInstallation nt" "upgrade_9x AnUpgrade 9x"
                 "fresh_9x AFreshInstallation 9x")
  string(REPLACE " " ";" fields "${campaign}")
  list(GET fields 0 suffix)
  list(GET fields 1 scenario)
  list(GET fields 2 platform)
  set(env "${K7_WINE_ENV};LC_ALL=en_US.UTF-8")
  if(platform STREQUAL "9x")
    list(APPEND env "K7_TEST_PLATFORM_9X=1")
  endif()
  add_test(NAME fault_campaign_${suffix} COMMAND fault_campaign_tests
           --gtest_filter=FaultCampaign.${scenario}*)
  set_tests_properties(fault_campaign_${suffix} PROPERTIES ENVIRONMENT "${env}")
endforeach()

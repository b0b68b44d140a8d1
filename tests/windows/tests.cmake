kaza_test(side_windows_tests SOURCES windows/form2_test.cpp windows/about_test.cpp)

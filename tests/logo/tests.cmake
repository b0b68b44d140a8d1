kaza_test(logo_tests SOURCES logo/frame_test.cpp logo/savebitmap_test.cpp)

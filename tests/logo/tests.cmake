kaza_test(logo_tests SOURCES logo/frame_test.cpp logo/savebitmap_test.cpp)
kaza_test(hostile_picture_tests SOURCES logo/hostile_test.cpp)

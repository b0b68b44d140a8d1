# The command table runs on the 9x family, where every entry is enabled.
kaza_test(commands_tests WINDOWS win98 SOURCES app/commands_test.cpp)
# One test starts the program itself: the copy that ships, from the program folder (script/build
# installs it there before the tests run).
add_dependencies(commands_tests kazaguruma)
target_compile_definitions(commands_tests PRIVATE "KAZA_EXE=\"${CMAKE_INSTALL_PREFIX}/kazaguruma.exe\"")
target_link_libraries(commands_tests PRIVATE version)
# Large fonts: the same files and the same page at the resolutions of the time (the 2000 page, where
# the strip lies over the page picture), and at those of 10 (125 to 200 %), where the program is
# DPI-aware and lays the page out scaled.
foreach(scale 96:win2k 120:win2k 144:win2k 168:win10 192:win10)
  string(REPLACE ":" ";" scale ${scale})
  list(GET scale 0 dpi)
  list(GET scale 1 windows)
  kaza_test(large_fonts_${dpi} WINDOWS ${windows} DPI ${dpi} SOURCES app/large_fonts_test.cpp)
endforeach()
# DLLs left beside the program under system DLLs' names: a tiny DLL that says when it is loaded,
# copied under each name into a program folder with the shipped exe.
add_library(planted SHARED app/planted_dll.cpp)
set_target_properties(planted PROPERTIES PREFIX "" OUTPUT_NAME planted)
kaza_test(planted_tests WINDOWS win10 SOURCES app/planted_test.cpp)
add_dependencies(planted_tests kazaguruma planted)
set_tests_properties(planted_tests PROPERTIES ENVIRONMENT "KAZA_DLLOVERRIDES=uxtheme,msimg32,dwmapi,windowscodecs=n,b")
target_compile_definitions(planted_tests PRIVATE "KAZA_EXE=\"${CMAKE_INSTALL_PREFIX}/kazaguruma.exe\""
                           "KAZA_PLANTED=\"$<TARGET_FILE:planted>\"")

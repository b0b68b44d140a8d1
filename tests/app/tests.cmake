# The command table runs on the 9x family, where every entry is enabled.
kaza_test(commands_tests WINDOWS win98 SOURCES app/commands_test.cpp)
# One test starts the program itself: the copy that ships, from the program folder (script/build
# installs it there before the tests run).
add_dependencies(commands_tests kazaguruma)
target_compile_definitions(commands_tests PRIVATE "KAZA_EXE=\"${CMAKE_INSTALL_PREFIX}/kazaguruma.exe\"")
target_link_libraries(commands_tests PRIVATE version)
# Large fonts: the same files and the same page at the resolutions of the time (the 2000 page, where
# the strip lies over the page picture).
foreach(dpi 96 120 144)
  kaza_test(large_fonts_${dpi} WINDOWS win2k DPI ${dpi} SOURCES app/large_fonts_test.cpp)
endforeach()

# The command table runs on the 9x family, where every entry is enabled.
kaza_test(commands_tests WINDOWS win98 SOURCES app/commands_test.cpp)
# One test starts the program itself.
add_dependencies(commands_tests kazaguruma)
target_compile_definitions(commands_tests PRIVATE "KAZA_EXE=\"$<TARGET_FILE:kazaguruma>\"")
target_link_libraries(commands_tests PRIVATE version)

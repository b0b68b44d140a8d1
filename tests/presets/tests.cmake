kaza_test(preset_command_tests SOURCES presets/select_test.cpp presets/change_test.cpp)
kaza_test(hostile_index_tests SOURCES presets/hostile_test.cpp)

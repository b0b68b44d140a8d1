kaza_test(preset_command_tests SOURCES presets/select_test.cpp presets/change_test.cpp)
kaza_test(hostile_index_tests SOURCES presets/hostile_test.cpp)
kaza_test(preset_section_tests SOURCES presets/section_test.cpp)
kaza_test(preset_section_win98 WINDOWS win98 SOURCES presets/section_test.cpp)

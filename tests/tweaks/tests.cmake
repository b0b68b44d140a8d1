kaza_test(tweaks_win98 WINDOWS win98 SOURCES tweaks/form7_test.cpp tweaks/form8_test.cpp)
kaza_test(tweaks_nt40 WINDOWS nt40 SOURCES tweaks/nt_test.cpp)

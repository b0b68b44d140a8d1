kaza_test(apply_win98 WINDOWS win98 SOURCES apply/apply_test.cpp)
kaza_test(apply_winxp WINDOWS winxp SOURCES apply/apply_test.cpp)

kaza_test(rollout_tests WINDOWS winxp SOURCES rollout/rollout_test.cpp)

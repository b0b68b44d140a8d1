foreach(ver winxp win10)
  kaza_test(rollout_${ver} WINDOWS ${ver} SOURCES rollout/rollout_test.cpp)
endforeach()

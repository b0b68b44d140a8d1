kaza_test(apply_win98 WINDOWS win98 SOURCES apply/apply_test.cpp)
kaza_test(apply_winxp WINDOWS winxp SOURCES apply/apply_test.cpp)
# The System control panel (7) and Settings (10) read the maker's details from the registry.
foreach(ver win7 win10)
  kaza_test(oeminformation_${ver} WINDOWS ${ver} SOURCES apply/oeminformation_test.cpp)
endforeach()
# What is installed, read into the window: from the files on XP, from the registry on 10.
foreach(ver winxp win10)
  kaza_test(installed_${ver} WINDOWS ${ver} SOURCES apply/installed_test.cpp)
endforeach()

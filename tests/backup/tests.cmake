kaza_test(backup_tests SOURCES backup/save_test.cpp backup/restore_test.cpp)

# Drive A: of the test prefix is a folder of its C: drive, linked in Wine's dosdevices, so that
# the floppy save probes and writes a real drive.
add_test(NAME backup_floppy_drive
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/backup/map-floppy.sh ${KAZA_TEST_PREFIX}
                 ${PROJECT_SOURCE_DIR}/script/wine-prefix ${KAZA_WINEARCH})
set_tests_properties(backup_floppy_drive PROPERTIES FIXTURES_SETUP floppy_drive RESOURCE_LOCK wine-prefix)
set_tests_properties(backup_tests PROPERTIES FIXTURES_REQUIRED floppy_drive)
kaza_test(safety_win98 WINDOWS win98 SOURCES backup/safety_test.cpp)
# The 32-bit program under WOW64, in the real system folder of a 64-bit prefix.
kaza_test(safety_wow64 WINDOWS winxp WOW64 SOURCES backup/wow64_test.cpp)

# No test may read or write the user's own settings or progress. Every test directory gets a
# CTest include file that points XDG_CONFIG_HOME (where QSettings keeps the program's settings
# file) and XDG_DATA_HOME (where the learner's progress is kept) at a folder in the build tree,
# emptied each time CTest reads the tests. CTest sets the variable in its own
# environment while it reads the test files, so every test it then starts inherits it, also
# those gtest_discover_tests finds at build time, and tests added to these directories later.
# A test that needs a folder of its own sets XDG_CONFIG_HOME in its ENVIRONMENT property or in
# its process before the first use of QSettings.
set(KLANGORA_TEST_CONFIG_HOME ${CMAKE_BINARY_DIR}/test-config-home)
set(KLANGORA_ISOLATED_SETTINGS_SCRIPT ${CMAKE_BINARY_DIR}/isolated_settings.cmake)
file(WRITE ${KLANGORA_ISOLATED_SETTINGS_SCRIPT}
    "set(ENV{XDG_CONFIG_HOME} \"${KLANGORA_TEST_CONFIG_HOME}\")\n"
    "set(ENV{XDG_DATA_HOME} \"${KLANGORA_TEST_CONFIG_HOME}/data\")\n"
    "file(REMOVE_RECURSE \"${KLANGORA_TEST_CONFIG_HOME}\")\n"
    "file(MAKE_DIRECTORY \"${KLANGORA_TEST_CONFIG_HOME}\")\n")

# Gives the tests of these directories (already added) the isolated configuration folder.
function(klangora_isolate_settings)
    foreach(dir ${ARGN})
        set_property(DIRECTORY ${dir} APPEND PROPERTY TEST_INCLUDE_FILES
            ${KLANGORA_ISOLATED_SETTINGS_SCRIPT})
    endforeach()
endfunction()

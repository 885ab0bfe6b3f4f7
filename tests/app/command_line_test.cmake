# Runs the program with one command line each and checks the exit status and what it printed.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
unset(ENV{QT_QPA_PLATFORM})

function(expect status expected_output)
    execute_process(COMMAND ${PROGRAM} ${ARGN}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    if(NOT result STREQUAL "${status}")
        message(FATAL_ERROR "klangora ${ARGN}: status ${result}, expected ${status}\n${out}${err}")
    endif()
    if(NOT "${out}${err}" MATCHES "${expected_output}")
        message(FATAL_ERROR "klangora ${ARGN}: output lacks '${expected_output}':\n${out}${err}")
    endif()
endfunction()

string(REPLACE "." "\\." version_pattern "${VERSION}")
expect(0 "^klangora ${version_pattern}\n$" --version)
expect(0 "Valgmuligheder:.*--version.*Argumenter:.*FIL" --help)
expect(0 "--help" -h)
expect(2 "ukendt tilvalg »--fnord«" --fnord)
expect(2 "ukendt tilvalg »-q«" -q a.scl)
expect(2 "kun én stemningsfil" a.scl b.scl)

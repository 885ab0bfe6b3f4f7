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
# A classroom's shortcut: the zoom steps and the language, refused when unknown; --lang is read
# before the help is made, so the help speaks it.
expect(0 "Show this help and quit.*--zoom.*--fullscreen.*--lang" --lang en --help)
expect(0 "Vis denne hjælp og afslut" --lang=da --help)
expect(2 "--zoom skal være 100, 125, 150, 175 eller 200, ikke »80«" --zoom 80)
expect(2 "--lang skal være da eller en, ikke »fr«" --lang fr)
expect(2 "--zoom must be 100, 125, 150, 175 or 200, not '75'" --lang en --zoom 75)

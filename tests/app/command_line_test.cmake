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
# In English the whole help is English, the program's description and every option's words
# alike: no Danish letter and none of the little Danish words any sentence of them needs.
execute_process(COMMAND ${PROGRAM} --lang en --help OUTPUT_VARIABLE english_help TIMEOUT 20)
foreach(danish "[æøåÆØÅ»«]" " og " " eller " " til " " med " " fra " " som " " den " " det "
        " en " " et " " i " "Vis " "Gem " "Skriv " "Start med" "FIL[] .]" "NAVN" "KLANG" "PROCENT")
    if(english_help MATCHES "${danish}")
        message(FATAL_ERROR "klangora --lang en --help shows Danish ('${danish}'):\n${english_help}")
    endif()
endforeach()
expect(2 "--zoom skal være 75, 90, 100, 125, 150, 175 eller 200, ikke »80«" --zoom 80)
expect(2 "--lang skal være da eller en, ikke »fr«" --lang fr)
expect(2 "--zoom must be 75, 90, 100, 125, 150, 175 or 200, not '80'" --lang en --zoom 80)
expect(0 "--play.*--render.*--tuning" --help)
expect(0 "--sound.*--soundfont" --help)
expect(2 "ukendt klang »lut«" --render ingen.mid --sound lut -o ud.wav)
expect(1 "»ingen.mid« kan ikke spilles: Filen kan ikke læses" --render ingen.mid -o ud.wav)
expect(1 "Ukendt stemning »fnord«" --render ingen.mid --tuning fnord -o ud.wav)
expect(1 "Ukendt stemning »fnord«.*werckmeister3/werck1.*ligesvævende.*vallotti" --play ingen.mid --tuning fnord)
expect(0 "--tuning.*pythagorean/pythagoræisk/pyt.*werckmeister5/werck3.*vallotti" --help)
expect(1 "kan ikke spilles" ingen.mid)
# The refusals in English.
expect(2 "unknown sound \"lut\"; choose own, harpsichord, organ or piano" --lang en --sound lut)
expect(1 "\"ingen.mid\" cannot be played: The file cannot be read" --lang en ingen.mid)
expect(1 "\"ingen.mid\" cannot be played" --lang en --render ingen.mid -o ud.wav)
if(EXISTS ud.wav)
    message(FATAL_ERROR "a refused --render left ud.wav")
endif()

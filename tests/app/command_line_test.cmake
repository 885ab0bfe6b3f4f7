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
expect(1 "Unknown tuning \"fnord\"\\. Use one of pythagorean/pyt.*werckmeister3/werck1.*vallotti" --lang en --play ingen.mid --tuning fnord)
expect(1 "\"ingen.mid\" cannot be played" --lang en --render ingen.mid -o ud.wav)
if(EXISTS ud.wav)
    message(FATAL_ERROR "a refused --render left ud.wav")
endif()
# A handout without any display: the tuning named, as a PDF; a file of no handout's format is
# refused, and so is an unknown tuning.
set(handout ${CMAKE_CURRENT_BINARY_DIR}/handout-praet.pdf)
file(REMOVE ${handout})
expect(0 "" --export-diagram ${handout} --tuning praet)
file(READ ${handout} head LIMIT 5)
if(NOT head MATCHES "^%PDF-")
    message(FATAL_ERROR "--export-diagram wrote no PDF: '${head}'")
endif()
expect(2 "--export-diagram skal have en fil, der ender på .pdf, .svg, .png eller .csv" --export-diagram a.doc)
expect(1 "Ukendt stemning »fnord«" --export-diagram ${handout} --tuning fnord)
# --export-tuning writes the format the extension asks for: the Pythagorean e (408 cent in the
# program) in the scale, the fixed c at 261.6 Hz in the map, the pure e at 5999.83 + 386.31 cent
# above 8.176 Hz in AnaMark's file, a bulk dump's 408 bytes; an unknown extension is refused.
expect(0 "" --export-tuning pyt -o ${WORK_DIR}/p.scl)
expect(0 "" --export-tuning pyt -o ${WORK_DIR}/p.kbm)
expect(0 "" --export-tuning ren -o ${WORK_DIR}/r.tun)
expect(0 "" --export-tuning pyt -o ${WORK_DIR}/p.syx)
expect(1 "FIL.tun" --export-tuning pyt -o ${WORK_DIR}/p.txt)
file(READ ${WORK_DIR}/p.scl scale)
file(STRINGS ${WORK_DIR}/p.kbm map REGEX "^261")
file(STRINGS ${WORK_DIR}/r.tun pure REGEX "^note 64=6386\\.13")
file(READ ${WORK_DIR}/p.syx dump HEX)
string(LENGTH "${dump}" dump_digits)
if(NOT scale MATCHES "\n 408\\.00\n" OR NOT map STREQUAL "261.600000" OR NOT pure
   OR NOT dump MATCHES "^f07e7f0801.*f7$" OR NOT dump_digits EQUAL 816)
    message(FATAL_ERROR "exported: ${scale} ${map} ${pure} ${dump}")
endif()

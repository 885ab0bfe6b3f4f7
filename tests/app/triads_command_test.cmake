# `klangora --triads`: the chorale "Koral" in C, as the example pieces hold it, in quarter-comma
# meantone. Its C major triad sounds 3 of its 8.1 seconds (the first and the last chord), G major
# 1.1 s, F major 1 s; meantone's thirds are pure on C, its fifths a quarter comma narrow, and the
# third on H (H-Eb) and the fifth on G# (G#-Eb) are its wolves.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
set(ENV{LC_ALL} C)

function(run status)
    execute_process(COMMAND ${PROGRAM} ${ARGN}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    if(NOT result STREQUAL "${status}")
        message(FATAL_ERROR "klangora ${ARGN}: status ${result}, expected ${status}\n${out}${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_line pattern)
    if(NOT "${out}" MATCHES "(^|\n)${pattern}\n")
        message(FATAL_ERROR "no line '${pattern}' in:\n${out}")
    endif()
endfunction()

run(0 --triads ${EXAMPLES}/koral-c-dur.mid --tuning praet)
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 12)
    message(FATAL_ERROR "expected one line per major triad, got ${count}:\n${out}")
endif()
# The diagram's order of fifths, C G D A E H F# C# G# Eb Bb F.
string(REGEX REPLACE "-dur[^\n]*\n" ";" names "${out}")
if(NOT names STREQUAL "C;G;D;A;E;H;F#;C#;G#;Eb;Bb;F;")
    message(FATAL_ERROR "triads out of the order of fifths: ${names}")
endif()
set(gap " +")
expect_line("C-dur${gap}3\\.0 s${gap}37\\.0 %${gap}terts${gap}0\\.0 cent${gap}kvint${gap}-5\\.4 cent")
expect_line("G-dur${gap}1\\.1 s${gap}13\\.6 %${gap}terts${gap}0\\.0 cent${gap}kvint${gap}-5\\.4 cent")
expect_line("F-dur${gap}1\\.0 s${gap}12\\.3 %${gap}terts${gap}0\\.0 cent${gap}kvint${gap}-5\\.4 cent")
expect_line("D-dur${gap}0\\.0 s${gap}0\\.0 %${gap}terts${gap}0\\.0 cent${gap}kvint${gap}-5\\.4 cent")
expect_line("H-dur${gap}0\\.0 s${gap}0\\.0 %${gap}terts${gap}\\+41\\.0 cent${gap}kvint${gap}-5\\.4 cent")
expect_line("G#-dur${gap}0\\.0 s${gap}0\\.0 %${gap}terts${gap}\\+41\\.0 cent${gap}kvint${gap}\\+35\\.6 cent")

# Without --tuning the start tuning, Pythagorean: the button's E lies at 408 cents.
run(0 --triads ${EXAMPLES}/koral-c-dur.mid)
expect_line("C-dur${gap}3\\.0 s${gap}37\\.0 %${gap}terts${gap}\\+21\\.7 cent${gap}kvint${gap}0\\.0 cent")

# Under Danish regional settings the decimal separator is a comma.
set(ENV{LC_ALL} da_DK.UTF-8)
run(0 --triads ${EXAMPLES}/koral-c-dur.mid --tuning praet)
expect_line("C-dur${gap}3,0 s${gap}37,0 %${gap}terts${gap}0,0 cent${gap}kvint${gap}-5,4 cent")
set(ENV{LC_ALL} C)

# By the temperaments' own names: Werckmeister III's third on C is 3.9 cent wide, V's 9.8.
run(0 --triads ${EXAMPLES}/koral-c-dur.mid --tuning werckmeister5)
expect_line("C-dur${gap}3\\.0 s${gap}37\\.0 %${gap}terts${gap}\\+9\\.8 cent.*")
set(ENV{LC_ALL} da_DK.UTF-8)
run(0 --triads ${EXAMPLES}/koral-c-dur.mid --tuning werckmeister3)
expect_line("C-dur${gap}3,0 s${gap}37,0 %${gap}terts${gap}\\+3,9 cent.*")
set(ENV{LC_ALL} C)
# In English the triads are major with B for H, the intervals third and fifth, and no Danish
# word is left; a file that is no MIDI file is refused in English too.
run(0 --lang en --triads ${EXAMPLES}/koral-c-dur.mid --tuning praet)
expect_line("C major${gap}3\\.0 s${gap}37\\.0 %${gap}third${gap}0\\.0 cent${gap}fifth${gap}-5\\.4 cent")
expect_line("B major${gap}0\\.0 s${gap}0\\.0 %${gap}third${gap}\\+41\\.0 cent${gap}fifth${gap}-5\\.4 cent")
if(out MATCHES "dur|terts|kvint|H ")
    message(FATAL_ERROR "Danish in the English report:\n${out}")
endif()

# The minor triads on request: the chorale's A minor chord in the Pythagorean start tuning, its
# minor third a-c' 294 cent, 21.6 narrower than a pure 6:5; both kinds give 24 lines.
run(0 --triads ${EXAMPLES}/koral-c-dur.mid --triad-kind minor)
expect_line("A-mol${gap}1\\.0 s${gap}12\\.3 %${gap}terts${gap}-21\\.6 cent${gap}kvint${gap}0\\.0 cent")
if(out MATCHES "-dur")
    message(FATAL_ERROR "major triads in the minor report:\n${out}")
endif()
run(0 --lang en --triads ${EXAMPLES}/koral-c-dur.mid --triad-kind both)
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 24 OR NOT out MATCHES "\nA minor${gap}1\\.0 s")
    message(FATAL_ERROR "expected 12 major and 12 minor triads:\n${out}")
endif()
run(2 --triads ${EXAMPLES}/koral-c-dur.mid --triad-kind moll)

# What cannot be read is refused with a reason and a status of 1, and nothing on standard output.
run(1 --triads ${EXAMPLES}/koral-c-dur.mid --tuning fnord)
if(NOT err MATCHES "Ukendt stemning »fnord«" OR NOT out STREQUAL "")
    message(FATAL_ERROR "an unknown tuning: ${out}${err}")
endif()
run(1 --triads ${WORK_DIR}/ingen-musik.mid)
if(NOT err MATCHES "ingen-musik\\.mid: " OR NOT out STREQUAL "")
    message(FATAL_ERROR "a missing file: ${out}${err}")
endif()
file(WRITE ${WORK_DIR}/ikke-midi.mid "MThx, men ikke musik")
run(1 --triads ${WORK_DIR}/ikke-midi.mid)
if(NOT err MATCHES "ikke-midi\\.mid: " OR NOT out STREQUAL "")
    message(FATAL_ERROR "a file that is no MIDI file: ${out}${err}")
endif()
run(1 --lang en --triads ${WORK_DIR}/ikke-midi.mid)
if(NOT err MATCHES "ikke-midi\\.mid: The file is not a MIDI file")
    message(FATAL_ERROR "a file that is no MIDI file, in English: ${err}")
endif()
run(0 --help)
if(NOT out MATCHES "--triads <FIL\\.mid>" OR NOT out MATCHES "--tuning <NAVN>")
    message(FATAL_ERROR "--help does not list --triads and --tuning:\n${out}")
endif()

# `klangora --check-lesson`: every lesson shipped passes, in either language, and a broken one
# names its line and ends with status 1, without any display.
unset(ENV{DISPLAY})
unset(ENV{WAYLAND_DISPLAY})
set(ENV{LC_ALL} C)

file(GLOB lessons ${LESSONS}/*.lektion)
list(LENGTH lessons count)
if(count LESS 6)
    message(FATAL_ERROR "expected three lessons in Danish and English, found ${count}")
endif()
foreach(lesson ${lessons})
    execute_process(COMMAND ${PROGRAM} --check-lesson ${lesson}
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    if(NOT result EQUAL 0 OR NOT out MATCHES "trin")
        message(FATAL_ERROR "${lesson}: status ${result}\n${out}${err}")
    endif()
endforeach()

file(WRITE ${WORK_DIR}/broken.lektion "klangora-lektion 1\ntitel: Brudt\n= stemning ingen\n")
foreach(language da en)
    execute_process(COMMAND ${PROGRAM} --lang ${language} --check-lesson ${WORK_DIR}/broken.lektion
        RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
    set(expected "linje 3: ")
    if(language STREQUAL en)
        set(expected "line 3: ")
    endif()
    if(NOT result EQUAL 1 OR NOT err MATCHES "${expected}")
        message(FATAL_ERROR "broken lesson (${language}): status ${result}\n${out}${err}")
    endif()
endforeach()

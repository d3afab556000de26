# Starts the program where no window can be shown and checks that it says so
# in exactly one line and exits non-zero, without a crash.
if(DISPLAY_VALUE)
    set(env_args DISPLAY=${DISPLAY_VALUE})
else()
    set(env_args --unset=DISPLAY)
endif()
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM ${env_args}
            ${PROGRAM}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    TIMEOUT 30)
if(NOT result MATCHES "^[0-9]+$" OR result EQUAL 0)
    message(FATAL_ERROR "expected a plain non-zero exit status, got '${result}'")
endif()
string(STRIP "${out}${err}" all)
string(REGEX MATCHALL "\n" newlines "${all}")
list(LENGTH newlines extra_lines)
if(NOT all MATCHES "no graphical session found" OR extra_lines GREATER 0)
    message(FATAL_ERROR "expected one line about the missing graphical session, got:\n${all}")
endif()
message(STATUS "exit ${result}: ${all}")

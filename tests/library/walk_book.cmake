# Writes the walk of one book with walkscript, then plays it with
# piyoran-script against the laid-out data. Variables: WALKSCRIPT, RUNNER,
# APP_DIR, BOOK, OPEN (click or invoke), BUTTON, SCENARIO, and MISS (ON for
# the run with a miss and the replay).
set(options)
if(MISS)
    set(options --miss)
endif()
execute_process(
    COMMAND ${WALKSCRIPT} ${options} ${OPEN} ${BUTTON} ${BOOK} ${SCENARIO}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "no walk written for ${BOOK} (status ${status}):\n${output}")
endif()
execute_process(
    COMMAND ${RUNNER} --app-dir ${APP_DIR} ${SCENARIO}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the walk ${SCENARIO} failed (status ${status})")
endif()

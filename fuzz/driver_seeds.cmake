# cmake -DTARGET=<fuzz target built with driver.cpp> -DWORK=<scratch folder> -P driver_seeds.cmake
# A corpus path that is mistyped, or a folder whose seeds were never written, must fail the
# run and say which path; a seed kept in a subfolder must be found.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/empty/sub ${WORK}/nested/sub)
file(WRITE ${WORK}/nested/sub/seed "seed")

function(expect_refusal path)
    execute_process(COMMAND ${TARGET} 0 ${path} RESULT_VARIABLE rc ERROR_VARIABLE err)
    # A crash gives a signal name here rather than an exit code: that is no refusal.
    string(FIND "${err}" "${path}" named)
    if(NOT rc MATCHES "^[1-9][0-9]*$" OR named EQUAL -1)
        message(FATAL_ERROR "seed path ${path}: exit ${rc}, stderr: ${err}")
    endif()
endfunction()

expect_refusal(${WORK}/missing)
expect_refusal(${WORK}/empty)

execute_process(COMMAND ${TARGET} 0 ${WORK}/nested RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^1 seeds,")
    message(FATAL_ERROR "nested seed: exit ${rc}, stdout: ${out}, stderr: ${err}")
endif()

# Runs one fuzz target for a few seconds on its seed corpus:
# cmake -DFUZZER=... -DCORPUS=... -DWORK=... [-DDICT=...] [-DSECONDS=10] -P run.cmake
# New inputs go to WORK/new, never into the committed corpus; a crash or a
# failed check leaves its input in WORK/ and fails the test.
foreach(var FUZZER CORPUS WORK)
  if(NOT ${var})
    message(FATAL_ERROR "run.cmake needs -D${var}=...")
  endif()
endforeach()
if(NOT SECONDS)
  set(SECONDS 10)
endif()

file(REMOVE_RECURSE ${WORK}/new)
file(MAKE_DIRECTORY ${WORK}/new)
set(options -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
            -artifact_prefix=${WORK}/)
if(DICT)
  list(APPEND options -dict=${DICT})
endif()
execute_process(COMMAND ${FUZZER} ${options} ${WORK}/new ${CORPUS} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${FUZZER} found a fault (exit ${failed}); its input is in ${WORK}/")
endif()

# Runs one short case of a Google Benchmark program with
# --benchmark_format=json and fails unless standard output parses as JSON
# holding that case's run and, when asked, a context entry.
#   cmake -DPROGRAM=<file> -DFILTER=<regex> [-DCONTEXT=<key>] -P check_benchmark_json.cmake
# A minimum time of 0 runs each case once; nothing here depends on how long
# that takes.
execute_process(
  COMMAND ${PROGRAM} --benchmark_format=json --benchmark_filter=${FILTER} --benchmark_min_time=0
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} exited with ${rc}\n${err}")
endif()
string(JSON runs ERROR_VARIABLE json_error LENGTH "${out}" benchmarks)
if(json_error)
  message(FATAL_ERROR "standard output is not JSON with a benchmarks list (${json_error}):\n${out}")
endif()
if(runs LESS 1)
  message(FATAL_ERROR "no case matched ${FILTER}:\n${out}")
endif()
if(CONTEXT)
  string(JSON value ERROR_VARIABLE json_error GET "${out}" context ${CONTEXT})
  if(json_error)
    message(FATAL_ERROR "the context has no \"${CONTEXT}\" (${json_error}):\n${out}")
  endif()
endif()

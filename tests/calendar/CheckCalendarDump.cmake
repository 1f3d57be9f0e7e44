# Runs calendar-dump over the intercalary month of 2009 and compares its lines
# with calendar-dump-2009-06.tsv; bad arguments must fail with a usage line.
execute_process(COMMAND ${DUMP} 2009-06-20 2009-06-30 RESULT_VARIABLE rc OUTPUT_VARIABLE out)
file(READ ${EXPECTED} expected)
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected)
  message(FATAL_ERROR "calendar-dump 2009-06-20 2009-06-30 gave (exit ${rc}):\n${out}\nexpected:\n${expected}")
endif()

foreach(args "2009-06-31;2009-07-01" "2009-7-1;2009-07-02" "2009-07-02;2009-07-01"
             "2009-06-20" "2009-06-20;2009-06-30;x" "20090620;20090630")
  execute_process(COMMAND ${DUMP} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc EQUAL 0 OR NOT err MATCHES "usage: calendar-dump FROM TO" OR NOT out STREQUAL "")
    message(FATAL_ERROR "calendar-dump ${args} should have been refused (exit ${rc}): ${out}${err}")
  endif()
endforeach()

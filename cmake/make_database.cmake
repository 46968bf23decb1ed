# Creates the working database beside the executables unless one is already there.
if(EXISTS "${DB}")
  return()
endif()
execute_process(COMMAND "${BATCH}" init-db "${DB}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "Could not create ${DB} (zolt-batch init-db exited with ${rc})")
endif()

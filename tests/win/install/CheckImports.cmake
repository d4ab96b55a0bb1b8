# Fails unless the program imports only kernel32, advapi32 and the C runtime (cmake -P): they
# and what they import are KnownDLLs (under Wine too), so nothing loads before the installer's
# first line that could have been planted beside it.
#   -DOBJDUMP=objdump -DPROGRAM=Install.exe
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(known kernel32.dll advapi32.dll msvcrt.dll)
set(imports "")
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" name)
  list(APPEND imports ${name})
  if(NOT name IN_LIST known)
    message(FATAL_ERROR "${PROGRAM} imports ${name}, which loads before the DLL search is narrowed")
  endif()
endforeach()
message(STATUS "imports: ${imports}")

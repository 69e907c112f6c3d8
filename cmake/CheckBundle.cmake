# cmake -DBUNDLE=path -DSTAMP=path -P CheckBundle.cmake
# Refuses a bundle the launcher cannot work with, before it is built into the executable.
cmake_minimum_required(VERSION 3.25)

if(NOT EXISTS "${BUNDLE}")
  message(FATAL_ERROR "The bundle ${BUNDLE} does not exist")
endif()
# The launcher's reader wants the end record as the archive's last 22 bytes.
file(SIZE "${BUNDLE}" size)
if(size LESS 22)
  message(FATAL_ERROR "The bundle ${BUNDLE} is not a zip archive: it has only ${size} bytes")
endif()
math(EXPR end_record "${size} - 22")
file(READ "${BUNDLE}" signature OFFSET ${end_record} LIMIT 4 HEX)
if(NOT signature STREQUAL "504b0506")
  message(FATAL_ERROR "The bundle ${BUNDLE} is not a zip archive without a comment: "
                      "its last 22 bytes are not an end of central directory record")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf "${BUNDLE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE listing ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The bundle ${BUNDLE} is not a readable zip archive: ${errors}")
endif()
string(REPLACE "\n" ";" names "${listing}")
foreach(required korvantel.exe Yap.zip vevivur.zip)
  if(NOT required IN_LIST names)
    message(FATAL_ERROR "The bundle ${BUNDLE} lacks \"${required}\" at its root")
  endif()
endforeach()
file(TOUCH "${STAMP}")

# Every translatable text must be filed under the context the program looks it up in. lupdate
# says when it cannot tell the context (tr() in a free function, or in a class that declares no
# translation context of its own): such texts are either missing from the catalogues or filed
# under another context, and stay English in the Chinese interface.
#
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -P translation_contexts.cmake
set(dirs core app device acquisition imageproc display tools)
set(paths "")
foreach(d ${dirs})
    if(EXISTS ${SOURCE_DIR}/${d})
        list(APPEND paths ${SOURCE_DIR}/${d})
    endif()
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(
    COMMAND ${LUPDATE} -I ${SOURCE_DIR} -extensions cpp,h,ui -locations none ${paths}
            -ts ${WORK_DIR}/contexts.ts
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    TIMEOUT 300)
file(REMOVE ${WORK_DIR}/contexts.ts)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result}):\n${out}${err}")
endif()
string(REGEX MATCHALL "[^\n]*(cannot be called without context|lacks Q_OBJECT macro|Discarding unconsumed)[^\n]*"
       problems "${out}\n${err}")
if(problems)
    string(REPLACE ";" "\n" problems "${problems}")
    message(FATAL_ERROR "Texts whose translation context lupdate cannot tell:\n${problems}\n"
                        "Declare the context where lupdate sees it (Q_OBJECT, or Q_DECLARE_TR_FUNCTIONS in a class).")
endif()
message(STATUS "Every translatable text has its context.")

# The compiler's runtime libraries that mingw-built programs load: the
# compiler knows where its own are.
function(quorvel_mingw_runtime_dlls out_var)
    set(found)
    foreach(runtime IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
        endif()
        file(REAL_PATH "${path}" path)
        list(APPEND found ${path})
    endforeach()
    set(${out_var} ${found} PARENT_SCOPE)
endfunction()

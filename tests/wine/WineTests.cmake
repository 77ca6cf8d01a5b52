# Windows programs of this build run under Wine: CTest starts each through
# wine-run, which holds the Wine prefix and the libraries' search path.
include(${PROJECT_SOURCE_DIR}/cmake/MingwRuntime.cmake)

find_program(QUORVEL_WINE NAMES wine wine64 REQUIRED)
find_program(QUORVEL_WINESERVER NAMES wineserver REQUIRED)
set(QUORVEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)

quorvel_mingw_runtime_dlls(runtime_dlls)
set(QUORVEL_WINE_DLL_PATH "Z:$<TARGET_FILE_DIR:Qt6::Core>")
foreach(dll IN LISTS runtime_dlls)
    get_filename_component(dir ${dll} DIRECTORY)
    string(APPEND QUORVEL_WINE_DLL_PATH ";Z:${dir}")
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh.genex @ONLY)
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/wine-run INPUT ${CMAKE_BINARY_DIR}/wine-run.sh.genex
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                      WORLD_READ WORLD_EXECUTE)
set(QUORVEL_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_WINE_RUN})

# Wine tests share one prefix and one display server: they run one at a time,
# and each waits for the prefix's server to end before and after it, so that
# none meets a server that an earlier one left shutting down. OWN_WAITS: the
# test waits for the server itself.
function(quorvel_wine_test name)
    cmake_parse_arguments(PARSE_ARGV 1 wine "OWN_WAITS" "" "")
    set(mode --test)
    if(wine_OWN_WAITS)
        set(mode --test-own-waits)
    endif()
    add_test(NAME ${name} COMMAND ${QUORVEL_WINE_RUN} ${mode} ${wine_UNPARSED_ARGUMENTS})
    set_tests_properties(${name} PROPERTIES RUN_SERIAL ON SKIP_RETURN_CODE 77)
endfunction()

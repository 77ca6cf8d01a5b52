# The Windows folder, portable .zip and NSIS installer. The folder is flat, as
# Windows looks for libraries beside the program first: the two programs, the
# Qt libraries and plugins they load and the compiler's runtime libraries.
# Included by the top-level CMakeLists.txt ahead of include(CPack).
if(NOT WIN32)
    return()
endif()

install(TARGETS Quorvel quorvel-translate RUNTIME DESTINATION .)

foreach(module IN ITEMS Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

include(${CMAKE_CURRENT_LIST_DIR}/MingwRuntime.cmake)
quorvel_mingw_runtime_dlls(runtime_dlls)
# Debian's copies carry their debugging sections (libstdc++ alone is 23 MB).
foreach(dll IN LISTS runtime_dlls)
    get_filename_component(name ${dll} NAME)
    set(stripped ${CMAKE_BINARY_DIR}/runtime/${name})
    if(NOT EXISTS ${stripped} OR ${dll} IS_NEWER_THAN ${stripped})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/runtime)
        execute_process(COMMAND ${CMAKE_STRIP} --strip-debug ${dll} -o ${stripped}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
    install(FILES ${stripped} DESTINATION .)
endforeach()

set(CPACK_PACKAGE_NAME Quorvel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quorvel)
set(CPACK_PACKAGE_FILE_NAME Quorvel-${PROJECT_VERSION}-windows-x64)
set(CPACK_GENERATOR NSIS ZIP)
# Values reach the NSIS script as written here, backslashes included.
set(CPACK_VERBATIM_VARIABLES ON)
# The zip unpacks into one folder named like the package.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)

# One Start-menu entry for the program; the uninstaller gets its own.
set(CPACK_PACKAGE_EXECUTABLES Quorvel Quorvel)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_PACKAGE_NAME Quorvel)
set(CPACK_NSIS_DISPLAY_NAME Quorvel)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME Quorvel.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/quorvel.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/quorvel.ico)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The installer records its folder under Software\<vendor>\<product>; the
# uninstaller removes that key but would leave the vendor's, now empty.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
    "DeleteRegKey SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\\Quorvel\"
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"")
# A 64-bit installer, so that it writes the 64-bit registry view and runs
# where only 64-bit Windows programs can.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

# The Windows folder, portable .zip and NSIS installer. The folder is flat, as
# Windows looks for libraries beside the program first: the two programs, the
# Qt libraries and plugins they load and the compiler's runtime libraries.
# Included by the top-level CMakeLists.txt ahead of include(CPack).
if(NOT WIN32)
    return()
endif()

install(TARGETS Quorvel quorvel-translate RUNTIME DESTINATION .)

foreach(module IN ITEMS Core Gui Widgets Network)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

# The compiler knows where its own runtime libraries are.
foreach(runtime IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${runtime} is")
    endif()
    file(REAL_PATH "${runtime_path}" runtime_path)
    install(FILES ${runtime_path} DESTINATION .)
endforeach()

set(CPACK_PACKAGE_NAME Quorvel)
set(CPACK_PACKAGE_VENDOR Veskard)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Quorvel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Quorvel)
set(CPACK_PACKAGE_FILE_NAME Quorvel-${PROJECT_VERSION}-windows-x64)
set(CPACK_GENERATOR NSIS ZIP)
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
# A 64-bit installer, so that it writes the 64-bit registry view and runs
# where only 64-bit Windows programs can.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-XTarget amd64-unicode")

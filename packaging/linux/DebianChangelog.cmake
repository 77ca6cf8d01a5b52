# Run by CPack while it stages the Debian package (CPACK_INSTALL_SCRIPTS), so
# that the package's own change log reaches the package and nothing else.
set(doc "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/quorvel")
set(plain "${CPACK_TOPLEVEL_DIRECTORY}/changelog.Debian")
configure_file("${CMAKE_CURRENT_LIST_DIR}/changelog.Debian.in" "${plain}" @ONLY)
file(MAKE_DIRECTORY "${doc}")
# -n leaves name and time out of the header, so that builds compare equal.
execute_process(COMMAND gzip -9nc "${plain}" OUTPUT_FILE "${doc}/changelog.Debian.gz"
    COMMAND_ERROR_IS_FATAL ANY)

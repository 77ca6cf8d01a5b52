#pragma once

// The standard streams as raw bytes and the command line as UTF-8: the parts
// of the filter that differ between systems. One source file per system.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// Makes the streams pass bytes unchanged (on Windows: binary mode, so that
// line ends stay as they are and a Ctrl-Z byte is data like any other).
void prepareStandardStreams();

// The arguments after the program's name, in UTF-8 whatever the system's code
// page.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// Makes the named file (a UTF-8 name) the input instead of what was read
// before; false when it cannot be opened.
bool openInputFile(const std::string& name);

// Makes standard input the input again, closing a file opened before.
void useStandardInput();

// Reads up to size bytes of the input: the number read, 0 at its end, -1 on
// failure.
std::ptrdiff_t readInput(char* buffer, std::size_t size);

// Whether a read of the input would return at once (bytes or its end are
// there), so that output can wait for more.
bool inputReady();

// Writes all of data to standard output; false on failure.
bool writeOutput(const char* data, std::size_t size);

// Writes to standard error; a failure there has nowhere left to be told.
void writeError(std::string_view text);

// The system's reason for the last failure of openInputFile, readInput or
// writeOutput.
std::string failureReason();

} // namespace quorvel::cli

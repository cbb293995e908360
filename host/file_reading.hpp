// The one way the host reads a file it was named: what it reads says what was
// wrong in the file; a file that cannot be opened is said so in the same place.
#pragma once

#include <fstream>
#include <ios>
#include <string>

namespace panelhost {

// What `read(stream, path)` makes of the file at `path`; when it cannot be opened,
// a Result that names the file and has the one error "PATH: cannot open the WHAT".
template <class Result, class Read>
Result read_file(const std::string& path, const std::string& what, std::ios::openmode mode,
                 Read read) {
    std::ifstream in(path, mode);
    if (!in) {
        Result result;
        result.file = path;
        result.errors.push_back(path + ": cannot open the " + what);
        return result;
    }
    return read(in, path);
}

} // namespace panelhost

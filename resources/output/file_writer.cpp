#include "output/file_writer.hpp"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace output {
namespace {

bool same_content(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) != bytes.size() || error) return false;
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> old{std::istreambuf_iterator<char>(in),
                                         std::istreambuf_iterator<char>()};
    return in.good() || in.eof() ? old == bytes : false;
}

} // namespace

bool write_if_changed(const std::filesystem::path& path, const std::vector<unsigned char>& bytes) {
    if (same_content(path, bytes)) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
    return true;
}

bool write_if_changed(const std::filesystem::path& path, std::string_view text) {
    return write_if_changed(path, std::vector<unsigned char>(text.begin(), text.end()));
}

} // namespace output

#include "workbench/request_doors.hpp"

#include <algorithm>
#include <cctype>

namespace panelhost {
namespace {

bool same_text_ignoring_case(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// "127.0.0.1:PORT" or "localhost:PORT" (the port may be left out when it is 80, as
// browsers do).
bool is_own_host(std::string_view host, int port) {
    const std::string port_text = std::to_string(port);
    for (std::string_view name : {"127.0.0.1", "localhost"}) {
        if (same_text_ignoring_case(host, std::string(name) + ":" + port_text)) return true;
        if (port == 80 && same_text_ignoring_case(host, name)) return true;
    }
    return false;
}

bool is_own_origin(std::string_view origin, int port) {
    constexpr std::string_view scheme = "http://";
    if (origin.size() <= scheme.size() ||
        !same_text_ignoring_case(origin.substr(0, scheme.size()), scheme))
        return false;
    return is_own_host(origin.substr(scheme.size()), port);
}

// The media type of a Content-Type header, without its parameters and blanks.
std::string_view media_type(std::string_view content_type) {
    std::string_view type = content_type.substr(0, content_type.find(';'));
    while (!type.empty() && std::isspace(static_cast<unsigned char>(type.back())))
        type.remove_suffix(1);
    while (!type.empty() && std::isspace(static_cast<unsigned char>(type.front())))
        type.remove_prefix(1);
    return type;
}

std::string quoted(std::string_view text) {
    // Header values come from the client: keep only what prints, and not too much.
    std::string shown;
    for (char c : text.substr(0, 80))
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    return "\"" + shown + "\"";
}

// How the workbench's own address is written in messages.
std::string own_port_text(int port) {
    return "127.0.0.1:" + std::to_string(port) + " or localhost:" + std::to_string(port);
}

} // namespace

std::optional<Refusal> refusal_of(const RequestHeaders& request, int port) {
    const std::string own = own_port_text(port);
    if (request.host.empty())
        return Refusal{403, "refused: the request names no Host; this workbench answers " + own};
    if (!is_own_host(request.host, port))
        return Refusal{403, "refused: Host " + quoted(request.host) +
                                " is not this workbench's address (" + own + ")"};
    if (request.method != "POST") return std::nullopt;
    if (request.origin && !is_own_origin(*request.origin, port))
        return Refusal{403, "refused: a command from the page at " + quoted(*request.origin) +
                                "; only this workbench's own pages (http://" + own_port_text(port) +
                                ") may send commands"};
    if (!same_text_ignoring_case(media_type(request.content_type), "application/json"))
        return Refusal{415,
                       "refused: a command must be sent as Content-Type: application/json; "
                       "this one " +
                           (request.content_type.empty() ? std::string("has none")
                                                         : "is " + quoted(request.content_type))};
    return std::nullopt;
}

} // namespace panelhost

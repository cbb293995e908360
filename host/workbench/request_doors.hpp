// Which requests the workbench serves. It listens on the loopback address only,
// yet any web page the user visits can make the browser send requests there: a
// form or a fetch posting to 127.0.0.1 (a cross-origin POST needs no permission
// for a text/plain body), or a name of the page's own that it makes resolve to
// 127.0.0.1 (DNS rebinding), after which the browser lets it read the answers.
// So a request is served only when its Host is this workbench's own address, and
// a command only when it is JSON (which a foreign page cannot send without the
// browser asking first) from no other origin.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace panelhost {

struct RequestHeaders {
    std::string_view method;                // "GET", "POST", ...
    std::string_view host;                  // the Host header; empty when absent
    std::optional<std::string_view> origin; // the Origin header, when sent
    std::string_view content_type;          // empty when absent
};

struct Refusal {
    int status;          // 403, or 415 for a body that is not JSON
    std::string message; // says what was refused and why
};

// Why a request to the workbench on this port is refused, or nothing when it may be
// carried out.
std::optional<Refusal> refusal_of(const RequestHeaders& request, int port);

} // namespace panelhost

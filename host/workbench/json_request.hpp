// The one way a workbench request's JSON body is read.
#pragma once

#include <nlohmann/json.hpp>

#include <exception>
#include <optional>
#include <string>
#include <type_traits>

namespace panelhost {

// The body parsed as a JSON object and handed to `read`, which throws an exception
// saying which field is wrong; none, with `error` set, when the body is no JSON
// object or `read` refuses it.
template <class Read>
auto read_json_request(const std::string& body, std::string& error, Read read)
    -> std::optional<std::invoke_result_t<Read, const nlohmann::json&>> {
    nlohmann::json document = nlohmann::json::parse(body, nullptr, false);
    if (document.is_discarded() || !document.is_object()) {
        error = "the request body must be a JSON object";
        return std::nullopt;
    }
    try {
        return read(document);
    } catch (const std::exception& problem) {
        error = problem.what();
        return std::nullopt;
    }
}

} // namespace panelhost

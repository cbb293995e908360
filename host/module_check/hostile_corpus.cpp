#include "module_check/hostile_corpus.hpp"

#include "gauge_abi.h"
#include "options.hpp"

#include <limits>

namespace panelhost::check {

const std::vector<double>& hostile_values() {
    static const std::vector<double> values = {std::numeric_limits<double>::quiet_NaN(),
                                               std::numeric_limits<double>::infinity(),
                                               -std::numeric_limits<double>::infinity(),
                                               1e300,
                                               -1e300,
                                               -1,
                                               0,
                                               4294967295.0,
                                               2147483648.0,
                                               -2147483649.0,
                                               -4294967296.0,
                                               1e-300,
                                               std::numeric_limits<double>::denorm_min()};
    return values;
}

namespace {

std::vector<std::string> option_keys() {
    std::vector<std::string> keys;
    for (char c = 'a'; c <= 'z'; ++c)
        keys.emplace_back(1, c);
    for (char c = '1'; c <= '4'; ++c)
        keys.emplace_back(1, c);
    return keys;
}

std::vector<std::string> option_values() {
    std::vector<std::string> values = {"",
                                       "99999999999999999999",
                                       "-99999999999999999999",
                                       "-1",
                                       "-2147483648",
                                       "4294967295",
                                       "2147483648",
                                       "x",
                                       " ",
                                       "0",
                                       "   7",
                                       "+",
                                       "-",
                                       "1e9",
                                       "0x10"};
    for (const gauge::NamedNumber& name : gauge::window_names)
        values.push_back(name.name);
    for (const gauge::NamedNumber& name : gauge::help_names)
        values.push_back(name.name);
    return values;
}

std::vector<std::string> make_parameter_corpus() {
    std::vector<std::string> corpus = {
        "",    " ", "   ", "/",  "#",  "'",  "//t5", "#f",
        "'r9", "t", "f",   "t_", "t ", "f ", "\t",   "t\x7f\xff\x80"};
    const std::vector<std::string> keys = option_keys();
    const std::vector<std::string> values = option_values();
    for (const std::string& key : keys) {
        for (const std::string& value : values)
            corpus.push_back(key + value);
        corpus.push_back(key + "5" + keys.front() + "-3/" + key + "9");
    }
    for (const gauge::NamedNumber& name : gauge::window_names)
        corpus.push_back(name.name);
    for (const gauge::NamedNumber& name : gauge::help_names)
        corpus.push_back(name.name);
    corpus.push_back(std::string(5000, 'a'));
    corpus.push_back(std::string(5000, ' '));
    corpus.push_back(std::string(5000, '_'));
    corpus.push_back(std::string("t").append(5000, '_'));
    corpus.push_back(std::string("t").append(5000, 'X'));
    corpus.push_back(std::string("f").append(5000, 'x'));
    corpus.push_back(std::string("r300g-5b99999999999999999999f").append(5000, 'y'));
    corpus.push_back(std::string(5000, '9'));
    std::string every_key;
    for (const std::string& key : keys)
        every_key += key + "99999999999999999999 ";
    corpus.push_back(every_key);
    return corpus;
}

} // namespace

const std::vector<std::string>& parameter_corpus() {
    static const std::vector<std::string> corpus = make_parameter_corpus();
    return corpus;
}

const std::vector<std::string>& hostile_texts() {
    static const std::vector<std::string> texts = {"",
                                                   " ",
                                                   std::string(1000, 'W'),
                                                   std::string(1000, ' '),
                                                   std::string(1000, '_'),
                                                   "A B",
                                                   "\xff\xfe",
                                                   "NaN",
                                                   "-99999999999999999999"};
    return texts;
}

const std::vector<std::string>& answered_expressions() {
    static const std::vector<std::string> expressions = {"PRESSURE ALTITUDE,feet", "ATC ID,string"};
    return expressions;
}

const std::vector<uint32_t>& button_combinations() {
    static const std::vector<uint32_t> buttons = {MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON,
                                                  MOUSE_LEFT_BUTTON | MOUSE_RIGHT_BUTTON};
    return buttons;
}

const std::vector<int32_t>& other_services() {
    static const std::vector<int32_t> services = {-1,
                                                  0,
                                                  1,
                                                  3,
                                                  4,
                                                  5,
                                                  7,
                                                  8,
                                                  9,
                                                  10,
                                                  11,
                                                  13,
                                                  99,
                                                  std::numeric_limits<int32_t>::max(),
                                                  std::numeric_limits<int32_t>::min()};
    return services;
}

} // namespace panelhost::check

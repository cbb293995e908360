// A small JSON writer: objects, arrays, strings, numbers and booleans written in
// order, with the commas and escapes. The check library writes its report with it
// so that it needs no JSON library (it is built for Windows too).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace panelhost::check {

class JsonWriter {
  public:
    void begin_object() { open('{'); }
    void end_object() { close('}'); }
    void begin_array() { open('['); }
    void end_array() { close(']'); }
    // The name of the next member of the object being written.
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(double number);
    void value(size_t number);
    void value(bool flag);
    void null();

    const std::string& text() const { return out_; }

  private:
    void before_value();
    // An object or array begins or ends.
    void open(char bracket);
    void close(char bracket);
    void write_string(std::string_view text);

    std::string out_;
    // Per open object or array: whether it has a member yet.
    std::vector<bool> has_member_;
    bool after_key_ = false;
};

} // namespace panelhost::check

// Drawing a string element: one line of text centred in its box.
#pragma once

#include "gauge_abi.h"

#include <cairo.h>

#include <string>

namespace panelhost {

// Draws `text` (the module's single-byte characters) in the record's box, face,
// weight and colours, clipped to the box.
void draw_string(cairo_t* cr, const StringRecord& record, const std::string& text);

// The module's text (Latin-1) as UTF-8, which Cairo needs.
std::string utf8_from_latin1(const std::string& text);

} // namespace panelhost

#include "string_drawing.hpp"

#include "text_case.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace panelhost {
namespace {

// Boxes past this many pixels are held here, so that font sizes stay sane.
constexpr double max_box_side = 16384;
// Share of the box height the text is set at, before it is narrowed to fit.
constexpr double text_height_share = 0.8;
constexpr uint32_t bold_weight = 600;

// Colours are 0x00BBGGRR.
void set_colour(cairo_t* cr, uint32_t colour) {
    cairo_set_source_rgb(cr, (colour & 0xFF) / 255.0, (colour >> 8 & 0xFF) / 255.0,
                         (colour >> 16 & 0xFF) / 255.0);
}

// The face the record names; a seven-segment "Quartz" text that holds letters is
// drawn in the fourteen-segment face, whose letters read as letters.
std::string face_name(const StringRecord& record, const std::string& text) {
    std::string face(record.font_face, strnlen(record.font_face, FONT_FACE_BYTES));
    const bool has_letters =
        std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isalpha(c) != 0; });
    if (has_letters && lower(face) == "quartz") return "Quartz Letters";
    return face;
}

} // namespace

std::string utf8_from_latin1(const std::string& text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            utf8 += char(c);
        } else {
            utf8 += char(0xC0 | c >> 6);
            utf8 += char(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

void draw_string(cairo_t* cr, const StringRecord& record, const std::string& text) {
    double x = record.common.position_x, y = record.common.position_y;
    double width = std::min<double>(record.box_width, max_box_side);
    double height = std::min<double>(record.box_height, max_box_side);
    if (width <= 0 || height <= 0) return;
    cairo_rectangle(cr, x, y, width, height);
    cairo_clip(cr);
    if (record.background_colour != 0) {
        set_colour(cr, record.background_colour);
        cairo_paint(cr);
    }
    std::string utf8 = utf8_from_latin1(text);
    if (utf8.empty()) return;

    // Every text format is drawn as one line centred both ways.
    set_colour(cr, record.text_colour);
    cairo_select_font_face(cr, face_name(record, text).c_str(), CAIRO_FONT_SLANT_NORMAL,
                           record.font_weight >= bold_weight ? CAIRO_FONT_WEIGHT_BOLD
                                                             : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, height * text_height_share);
    cairo_text_extents_t text_extents;
    cairo_text_extents(cr, utf8.c_str(), &text_extents);
    if (text_extents.x_advance > width) {
        cairo_set_font_size(cr, height * text_height_share * width / text_extents.x_advance);
        cairo_text_extents(cr, utf8.c_str(), &text_extents);
    }
    cairo_font_extents_t font_extents;
    cairo_font_extents(cr, &font_extents);
    double left = x + (width - text_extents.x_advance) / 2;
    double baseline =
        y + (height - (font_extents.ascent + font_extents.descent)) / 2 + font_extents.ascent;
    cairo_move_to(cr, left, baseline);
    cairo_show_text(cr, utf8.c_str());
}

} // namespace panelhost

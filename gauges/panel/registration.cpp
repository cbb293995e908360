// Registration plate: the aircraft's registration as a line of text on the panel.
//
// By default the text is the aircraft's ATC identifier, asked of the host at every
// update. Options of the parameter string:
//
//   t<text>     at the very start only: a fixed text instead (underscores show as
//               spaces; a space ends it, so other options may follow)
//   r<n> g<n> b<n>  red, green, blue of the text colour, 0 ... 255 (above: 255)
//   f<name>     the font; it must come last: everything after the "f" is the name
//
// The text shows at most 7 characters and ends at its first space.
#include "host_services.hpp"
#include "options.hpp"
#include "panel/panel_bitmaps.hpp"
#include "panel/panel_gauges.hpp"

#include <cstring>

namespace gauge {
namespace {

constexpr const char* atc_id_expression = "(A:ATC ID,string)";

// The ATC identifier of the last update, copied out of the host's answer: the host's
// text is only good until its next evaluation, which other gauges may ask for before
// the plate's text is drawn. More than the plate ever shows.
char atc_id_text[64] = "";

StringRecord* plate_text(GaugeHeader& gauge) {
    ElementRecord* root = gauge.element_list ? gauge.element_list[0] : nullptr;
    ElementRecord* child = root && root->children ? root->children[0] : nullptr;
    if (!child || child->kind != ELEMENT_STRING) return nullptr;
    return reinterpret_cast<StringRecord*>(child);
}

// A colour component from option `key`, or `current` without it. Values that are not
// 0 ... 255 (negative ones included) give 255.
uint32_t colour_component(const char* parameters, const char* key, uint32_t current) {
    const char* value = option_value(parameters, key);
    if (!value) return current;
    uint32_t component = uint32_t(read_integer(value));
    return component > 255 ? 255 : component;
}

// Service 2. The font option is taken out of the parameter string: the string is cut
// where the "f" stood, so this and every later search sees only the text before it,
// while the element keeps the font.
void registration_options(GaugeHeader& gauge) {
    char* parameters = gauge.parameters;
    StringRecord* text = plate_text(gauge);
    if (!parameters || !*parameters || !text) return;

    if (char* font = find_option(parameters, "f")) {
        std::strncpy(text->font_face, font + 1, FONT_FACE_BYTES - 1);
        text->font_face[FONT_FACE_BYTES - 1] = '\0';
        *font = '\0';
    }
    uint32_t colour = text->text_colour;
    uint32_t red = colour_component(parameters, "r", colour & 0xFF);
    uint32_t green = colour_component(parameters, "g", colour >> 8 & 0xFF);
    uint32_t blue = colour_component(parameters, "b", colour >> 16 & 0xFF);
    text->text_colour = red | green << 8 | blue << 16;
}

void refresh_atc_id() {
    const char* answer = nullptr;
    if (!host::execute_calculator_code(atc_id_expression, nullptr, nullptr, &answer)) return;
    std::strncpy(atc_id_text, answer ? answer : "", sizeof atc_id_text - 1);
    atc_id_text[sizeof atc_id_text - 1] = '\0';
}

void GAUGE_CALL registration_gauge_callback(GaugeHeader* gauge, int32_t service, uintptr_t) {
    if (!gauge) return;
    if (service == int32_t(SERVICE_INSTALL)) registration_options(*gauge);
    if (service == int32_t(SERVICE_UPDATE)) refresh_atc_id();
}

// Writes the plate's text into the host's buffer of char_count + 1 bytes.
double GAUGE_CALL registration_text(ElementRecord* element) {
    if (!element) return 0;
    auto* string = reinterpret_cast<StringRecord*>(element);
    if (!string->text) return string->sources[0].value.number;

    const char* parameters =
        element->gauge && element->gauge->parameters ? element->gauge->parameters : "";
    const char* text = find_option(parameters, "t") == parameters ? parameters + 1 : atc_id_text;
    size_t length = 0;
    while (length < string->char_count && text[length])
        ++length;
    std::memcpy(string->text, text, length);
    string->text[length] = '\0';

    // The text ends at its first space; underscores stand for spaces.
    if (char* space = find_option(string->text, " ")) *space = '\0';
    while (char* underscore = find_option(string->text, "_"))
        *underscore = ' ';
    return string->sources[0].value.number;
}

} // namespace

constinit RegistrationPlate registration_gauge =
    gauge_records(registration_gauge,
                  {.name = "Registration", .size_mm = 150, .callback = registration_gauge_callback},
                  elements( // plate
                      static_image(panel_bitmaps::registration_plate, {0, 0}, layer_flags),
                      // registration text
                      string_element({.position = {0, 0},
                                      .image_flags = layer_flags,
                                      .box_width = 150,
                                      .box_height = 25,
                                      .text_colour = 0xFFFFFF,
                                      .background_colour = 0,
                                      .highlight_colour = 0x5C5C5C,
                                      .font = "Arial",
                                      .font_weight = 400,
                                      .character_set = 1,
                                      .text_format = TEXT_FORMAT_CENTRED_LINE,
                                      .char_count = 7,
                                      .callback = registration_text})),
                  {
                      area_begin(0),
                      tooltip("Registration number"),
                      area_end(),
                      list_end(),
                  });

} // namespace gauge

#include "gauge_renderer.hpp"

#include "element_model.hpp"
#include "string_drawing.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace panelhost {
namespace {

// Displacements past this many pixels are held here: far off any gauge, and small
// enough that Cairo's matrices stay valid whatever a module computes.
constexpr double max_displacement = 1e6;
// Larger scales are refused rather than handed to Cairo.
constexpr double max_scale = 1000;

double pixels(double value) {
    return std::isfinite(value) ? std::clamp(value, -max_displacement, max_displacement) : 0.0;
}

double radians(double degrees) {
    return std::isfinite(degrees) ? std::fmod(degrees, 360.0) * std::numbers::pi / 180.0 : 0.0;
}

// A sprite texture scale of 0 (or nonsense) means unscaled.
double texture_scale(float scale) {
    if (!std::isfinite(scale) || scale == 0.0f) return 1.0;
    return std::copysign(std::clamp(std::fabs(double(scale)), 1e-3, 1e3), double(scale));
}

double width(cairo_surface_t* bitmap) { return cairo_image_surface_get_width(bitmap); }
double height(cairo_surface_t* bitmap) { return cairo_image_surface_get_height(bitmap); }

void set_source(cairo_t* cr, cairo_surface_t* bitmap, double x, double y,
                cairo_filter_t filter = CAIRO_FILTER_GOOD) {
    cairo_set_source_surface(cr, bitmap, x, y);
    cairo_pattern_set_filter(cairo_get_source(cr), filter);
}

// The scale of the current matrix when it is a plain one, the same both ways and
// without turning; 0 otherwise.
double plain_scale(cairo_t* cr) {
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    if (matrix.xy != 0 || matrix.yx != 0 || matrix.xx != matrix.yy) return 0;
    return matrix.xx;
}

// A bitmap drawn smaller than designed is reduced once and the reduced copy placed
// in device space: reducing it (or a mask) for every picture would cost more than
// all else together. The reduced copy when the current matrix is a plain reduction;
// null otherwise.
cairo_surface_t* reduced_for_device(cairo_t* cr, const BitmapSurfaces& bitmaps, uint32_t number) {
    return bitmaps.reduced(number, plain_scale(cr));
}

// Sets a bitmap that is about to be turned as the source, its point (x, y) on the
// user-space origin. Drawn smaller than designed, its reduced copy (`scale`, the
// face's plain scale) is turned instead: a quarter of the pixels to sample for a
// gauge shown at half size, and no sampling noise from skipping pixels. Either is
// cut to its content first.
void set_turned_source(cairo_t* cr, const BitmapSurfaces& bitmaps, uint32_t number, double x,
                       double y, double scale) {
    if (bitmaps.reduced(number, scale)) {
        BitmapSurfaces::Cut cut = bitmaps.cut_to_content(number, scale);
        cairo_scale(cr, 1 / scale, 1 / scale);
        set_source(cr, cut.surface, x * scale + cut.x, y * scale + cut.y, CAIRO_FILTER_BILINEAR);
        return;
    }
    BitmapSurfaces::Cut cut = bitmaps.cut_to_content(number, 1);
    set_source(cr, cut.surface, x + cut.x, y + cut.y, CAIRO_FILTER_BILINEAR);
}

// Where a reduced copy goes in device space: on whole pixels, so that it is copied
// rather than filtered again (a shift of under half a pixel of the reduced picture).
void to_device_pixel(cairo_t* cr, double& x, double& y) {
    cairo_user_to_device(cr, &x, &y);
    x = std::round(x);
    y = std::round(y);
}

// Static images, sliders and icons: a bitmap with its top-left corner at (x, y).
bool draw_bitmap(cairo_t* cr, const BitmapSurfaces& bitmaps, uint32_t number, double x, double y) {
    cairo_surface_t* bitmap = bitmaps.find(number);
    if (!bitmap) return false;
    if (cairo_surface_t* reduced = reduced_for_device(cr, bitmaps, number)) {
        to_device_pixel(cr, x, y);
        cairo_identity_matrix(cr);
        bitmap = reduced;
    }
    set_source(cr, bitmap, x, y);
    cairo_paint(cr);
    return true;
}

// The needle bitmap points right from its pivot; the pivot goes on the face point.
bool draw_needle(cairo_t* cr, const ElementState& state, const BitmapSurfaces& bitmaps) {
    const ElementRecord& record = *state.record;
    if (!bitmaps.find(record.resource_id)) return false;
    const double scale = plain_scale(cr);
    cairo_translate(cr, record.position_x, record.position_y);
    cairo_rotate(cr, radians(state.needle_angle)); // clockwise on a y-down screen
    set_turned_source(cr, bitmaps, record.resource_id, -record.offset_x, -record.offset_y, scale);
    cairo_paint(cr);
    return true;
}

// The picture slides behind its window and shows through the window's non-black pixels.
bool draw_moving_image(cairo_t* cr, const ElementState& state, const BitmapSurfaces& bitmaps) {
    const ElementRecord& record = *state.record;
    cairo_surface_t* picture = bitmaps.find(record.resource_id);
    cairo_surface_t* window = bitmaps.find(record.resource_id + 1);
    if (!picture || !window) return false;
    double x = record.position_x + slide_offset(state.slide_x, width(picture), width(window));
    double y = record.position_y + slide_offset(state.slide_y, height(picture), height(window));
    double window_x = record.position_x, window_y = record.position_y;
    cairo_surface_t* small_picture = reduced_for_device(cr, bitmaps, record.resource_id);
    cairo_surface_t* small_window = reduced_for_device(cr, bitmaps, record.resource_id + 1);
    if (small_picture && small_window) {
        to_device_pixel(cr, x, y);
        to_device_pixel(cr, window_x, window_y);
        cairo_identity_matrix(cr);
        picture = small_picture;
        window = small_window;
    }
    set_source(cr, picture, x, y);
    cairo_mask_surface(cr, window, window_x, window_y);
    return true;
}

// The texture's centre sits on the turning point, scaled, shifted in its own turned
// frame and turned counterclockwise; it shows through the window's non-black pixels.
bool draw_sprite(cairo_t* cr, const ElementState& state, const BitmapSurfaces& bitmaps) {
    const auto& sprite = reinterpret_cast<const SpriteRecord&>(*state.record);
    cairo_surface_t* texture = bitmaps.find(sprite.common.resource_id);
    cairo_surface_t* window = bitmaps.find(sprite.common.resource_id + 1);
    if (!texture || !window) return false;
    cairo_matrix_t face;
    cairo_get_matrix(cr, &face);
    const double scale = plain_scale(cr);
    cairo_translate(cr, sprite.common.offset_x, sprite.common.offset_y);
    cairo_rotate(cr, -radians(state.rotation));
    cairo_translate(cr, pixels(state.shift_x), pixels(state.shift_y));
    cairo_scale(cr, texture_scale(sprite.texture_scale_x), texture_scale(sprite.texture_scale_y));
    set_turned_source(cr, bitmaps, sprite.common.resource_id, -width(texture) / 2,
                      -height(texture) / 2, scale);
    cairo_set_matrix(cr, &face); // the source keeps the texture's transform
    double window_x = sprite.common.position_x, window_y = sprite.common.position_y;
    if (cairo_surface_t* small_window =
            reduced_for_device(cr, bitmaps, sprite.common.resource_id + 1)) {
        to_device_pixel(cr, window_x, window_y);
        cairo_identity_matrix(cr);
        window = small_window;
    }
    cairo_mask_surface(cr, window, window_x, window_y);
    return true;
}

// Draws one element; false when a bitmap it needs is missing.
bool draw_element(cairo_t* cr, const ElementState& state, const BitmapSurfaces& bitmaps) {
    const ElementRecord& record = *state.record;
    switch (state.kind) {
    case ELEMENT_STATIC_IMAGE:
        return draw_bitmap(cr, bitmaps, record.resource_id, record.position_x, record.position_y);
    case ELEMENT_NEEDLE: return draw_needle(cr, state, bitmaps);
    case ELEMENT_STRING:
        draw_string(cr, reinterpret_cast<const StringRecord&>(record), state.text);
        return true;
    case ELEMENT_SLIDER:
        return draw_bitmap(cr, bitmaps, record.resource_id,
                           record.position_x + pixels(state.shift_x),
                           record.position_y + pixels(state.shift_y));
    case ELEMENT_ICON:
        if (!state.icon) return true; // hidden
        return draw_bitmap(cr, bitmaps, record.resource_id + *state.icon, record.position_x,
                           record.position_y);
    case ELEMENT_MOVING_IMAGE: return draw_moving_image(cr, state, bitmaps);
    case ELEMENT_SPRITE: return draw_sprite(cr, state, bitmaps);
    default: return true;
    }
}

} // namespace

int draw_gauge(cairo_t* cr, const GaugeInstance& instance, const BitmapSurfaces& bitmaps,
               double scale) {
    if (!(scale > 0 && scale <= max_scale)) return 0;
    int missing = 0;
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (const ElementState& state : instance.elements()) {
        if (!state.drawn || !state.known_kind || !state.record) continue;
        cairo_save(cr);
        if (!draw_element(cr, state, bitmaps)) ++missing;
        cairo_restore(cr);
    }
    cairo_restore(cr);
    return missing;
}

} // namespace panelhost

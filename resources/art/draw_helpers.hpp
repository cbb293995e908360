// Drawing helpers shared by all gauge art. Angles are screen degrees: 0 along +x,
// clockwise positive (y grows downwards). Anything left unpainted stays transparent,
// which the bitmap output turns into the host's transparent black.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace art {

struct Point {
    double x = 0;
    double y = 0;
};

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

namespace colour {
inline constexpr Rgb dial{0.07, 0.07, 0.07}; // the near-black of faces and cards
inline constexpr Rgb marking{0.96, 0.96, 0.94};
inline constexpr Rgb green{0.10, 0.72, 0.22};
inline constexpr Rgb yellow{0.98, 0.78, 0.08};
inline constexpr Rgb red{0.90, 0.12, 0.10};
inline constexpr Rgb orange{1.00, 0.50, 0.08};
} // namespace colour

void set_colour(cairo_t* cr, Rgb c);
Rgb shade(Rgb c, double factor);
Point polar(Point centre, double radius, double degrees);

// Gradients as the source: colours at offsets from 0 (the start) to 1 (the end),
// along the line `from` to `to`, or out from `light` to the circle of `radius`
// about `centre`.
struct ColourStop {
    double offset = 0;
    Rgb colour;
};
void set_linear_gradient(cairo_t* cr, Point from, Point to,
                         std::initializer_list<ColourStop> stops);
void set_radial_gradient(cairo_t* cr, Point light, Point centre, double radius,
                         std::initializer_list<ColourStop> stops);

// Fills the current path in the current source and strokes its outline `width`
// wide in `edge`.
void fill_and_outline(cairo_t* cr, double width, Rgb edge);
// A disc in `c` with an outline `width` wide in `edge`.
void rimmed_disc(cairo_t* cr, Point centre, double radius, Rgb c, double width, Rgb edge);
// A disc lit from the upper left: `lit` at the point `light` times the radius up
// and left of the centre, shading to `dark` at its rim. The disc stays the current
// path, for a rim to be stroked on it.
void domed_disc(cairo_t* cr, Point centre, double radius, double light, Rgb lit, Rgb dark);

// A straight stroke from `from` to `to`.
void stroke_line(cairo_t* cr, Point from, Point to, double width, Rgb c,
                 cairo_line_cap_t cap = CAIRO_LINE_CAP_BUTT);

// Dial faces: the near-black disc under the markings.
void dial_face(cairo_t* cr, Point centre, double radius);

// Graduations: a radial tick, and a band of an annulus between two angles.
void tick(cairo_t* cr, Point centre, double degrees, double inner, double outer, double width,
          Rgb c = colour::marking);
void arc_band(cairo_t* cr, Point centre, double inner, double outer, double from_degrees,
              double to_degrees, Rgb c);

// Numerals and legends in Liberation Sans, centred on `at` (horizontally on the
// ink, vertically on the capital height, so neighbouring texts share a baseline).
void text_centred(cairo_t* cr, std::string_view text, Point at, double size,
                  Rgb c = colour::marking, bool bold = true);

// A text as it came out on its bitmap: the height of its ink in bitmap pixels.
struct Legend {
    std::string text;
    double ink_height = 0;
};
// While a log is given, every text drawn is noted in it (resgen lists them so that
// their sizes can be checked where the gauges are seen); nullptr stops it.
void log_legends(std::vector<Legend>* log);

// A needle pointing along +x from `pivot`, with a counterweight tail and a hub cap.
struct NeedleShape {
    Point pivot;
    double length = 100;      // pivot to tip
    double width = 6;         // of the pointer
    double tail = 30;         // pivot to the counterweight's centre
    double counterweight = 6; // its radius
    double hub = 6;           // the cap's radius
};
void needle(cairo_t* cr, const NeedleShape& shape);

// Knobs and screws.
void knob(cairo_t* cr, Point centre, double radius, int ridges);
void screw(cairo_t* cr, Point centre, double radius, double slot_degrees);

// Covers: a metal bezel ring with a glass reflection just inside it; the centre and
// everything outside stay transparent.
void bezel_ring(cairo_t* cr, Point centre, double outer, double inner);
void glass_highlight(cairo_t* cr, Point centre, double radius);
void cover(cairo_t* cr, Point centre, double outer, double inner);

// A closed polygon through `corners`, filled.
void fill_polygon(cairo_t* cr, std::initializer_list<Point> corners, Rgb c);

// A circle as a new sub-path (for fills, clips and strokes).
void circle_path(cairo_t* cr, Point centre, double radius);

// A square instrument case with rounded corners filling the bitmap, painted dark
// and lit from above; dials, windows and knobs are drawn on it.
struct CasePaint {
    Rgb top{0.24, 0.24, 0.25};
    Rgb bottom{0.11, 0.11, 0.12};
    Rgb edge{0.06, 0.06, 0.06};
};
void instrument_case(cairo_t* cr, double width, double height, double corner,
                     const CasePaint& paint = {});

// Flags and hatches: the rectangle painted in diagonal stripes of two colours,
// `stripe` pixels wide, rising to the right.
void diagonal_stripes(cairo_t* cr, double x, double y, double w, double h, Rgb a, Rgb b,
                      double stripe);

// Strips, windows and masks.
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r); // path only
void strip_background(cairo_t* cr, double width, double height, Rgb c);
void clear_path(cairo_t* cr); // makes the current path transparent again
void mask_fill(cairo_t* cr);  // fills the current path with the mask's "see-through" white

} // namespace art

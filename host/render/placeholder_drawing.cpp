#include "placeholder_drawing.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

namespace panelhost {
namespace {

// Lengths in panel units, pixels at zoom 1.
constexpr double outline_width = 2;
constexpr double dash_length = 7;
constexpr double dash_gap = 4;
constexpr double padding = 2;
// The name's text size: at most, and the least that reads well; when even that does
// not fit, the name is shrunk further, down to a size that still shows there is text.
constexpr double largest_text = 12;
constexpr double readable_text = 8;
constexpr double smallest_text = 4;
// The module's part of the name is a little smaller than the gauge's; the missing
// words are smaller still, and shown only where they read well.
constexpr double module_share = 0.85;
constexpr double note_share = 0.8;
constexpr double readable_note = 7;
constexpr double line_spacing = 1.1;
// Each text size tried is this much smaller than the last.
constexpr double size_step = 0.92;
// Pictures kept before the cache starts again (a viewer that keeps changing its zoom).
constexpr size_t most_pictures = 1024;

constexpr const char* face = "Arial";

struct Rgb {
    double red, green, blue;
};

// Pure magenta: the instruments' own magenta (the HSI's course) is a pinker one.
constexpr Rgb outline_colour{1.0, 0.0, 1.0};
constexpr Rgb fill_colour{0.06, 0.05, 0.08};
constexpr double fill_alpha = 0.72;

void set_colour(cairo_t* cr, Rgb colour) {
    cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

// The module line, the gauge line (the one that matters most, in bold) and the note
// of what is missing.
enum class Style { module, gauge, note };

struct Look {
    Rgb colour;
    cairo_font_slant_t slant;
    cairo_font_weight_t weight;
};

Look look_of(Style style) {
    switch (style) {
    case Style::module:
        return {{0.86, 0.84, 0.90}, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL};
    case Style::gauge: return {{1.0, 1.0, 1.0}, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD};
    case Style::note: break;
    }
    return {{1.0, 0.62, 1.0}, CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_NORMAL};
}

void select_font(cairo_t* cr, Style style, double size) {
    Look look = look_of(style);
    cairo_select_font_face(cr, face, look.slant, look.weight);
    cairo_set_font_size(cr, size);
}

// Text widths measured once at a reference size: with unhinted metrics they grow in
// proportion to the font size, so that trying many sizes costs only arithmetic.
class TextWidths {
  public:
    explicit TextWidths(cairo_t* cr) : cr_(cr) {}

    double at(const std::string& text, Style style, double size) {
        auto [it, added] = widths_.try_emplace({style, text}, 0.0);
        if (added) {
            select_font(cr_, style, reference_size);
            cairo_text_extents_t extents;
            cairo_text_extents(cr_, text.c_str(), &extents);
            double ink = extents.x_bearing + extents.width;
            it->second = std::max(extents.x_advance, ink) / reference_size;
        }
        return it->second * size;
    }

  private:
    static constexpr double reference_size = 100;
    cairo_t* cr_;
    std::map<std::pair<Style, std::string>, double> widths_;
};

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// `text` cut after each place a line may break: after blanks, and after the
// characters that join the words of module and gauge names and of the newer gauges'
// paths ("Fuel_Selector", "com.html?Index=1&Style=2").
std::vector<std::string> pieces(const std::string& text) {
    constexpr std::string_view joiners = "_-./\\?=&";
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < text.size(); ++i) {
        pieces.back() += text[i];
        bool breaks = blank(text[i]) || joiners.find(text[i]) != std::string_view::npos;
        bool blank_follows = i + 1 < text.size() && blank(text[i + 1]);
        if (breaks && !blank_follows && i + 1 < text.size()) pieces.emplace_back();
    }
    return pieces;
}

using Lines = std::vector<std::string>;

// `text` in lines no wider than `width` at `size`; none when one piece alone is wider.
std::optional<Lines> wrapped(TextWidths& widths, const std::string& text, Style style, double size,
                             double width) {
    Lines lines;
    std::string line;
    for (const std::string& piece : pieces(text)) {
        if (line.empty() || widths.at(trimmed(line + piece), style, size) <= width) {
            line += piece;
            continue;
        }
        lines.push_back(trimmed(line));
        line = piece;
    }
    if (!line.empty()) lines.push_back(trimmed(line));
    for (const std::string& each : lines)
        if (widths.at(each, style, size) > width) return std::nullopt;
    return lines;
}

struct Paragraph {
    std::string text;
    Style style;
    double share = 1; // of the text size
};

struct Block {
    Style style;
    double size;
    Lines lines;
};

using Layout = std::vector<Block>;

double height_of(const Layout& layout) {
    double height = 0;
    for (const Block& block : layout)
        height += double(block.lines.size()) * block.size * line_spacing;
    return height;
}

std::optional<Layout> laid_out(TextWidths& widths, const std::vector<Paragraph>& paragraphs,
                               double size, double width, double height) {
    Layout layout;
    for (const Paragraph& paragraph : paragraphs) {
        double own_size = size * paragraph.share;
        std::optional<Lines> lines =
            wrapped(widths, paragraph.text, paragraph.style, own_size, width);
        if (!lines) return std::nullopt;
        layout.push_back({paragraph.style, own_size, std::move(*lines)});
    }
    if (height_of(layout) > height) return std::nullopt;
    return layout;
}

// The paragraphs at the largest size from `largest` down to `smallest` at which
// they fit the box.
std::optional<Layout> largest_fit(TextWidths& widths, const std::vector<Paragraph>& paragraphs,
                                  double largest, double smallest, double width, double height) {
    if (paragraphs.empty()) return std::nullopt;
    for (double size = largest;; size = std::max(size * size_step, smallest)) {
        if (std::optional<Layout> layout = laid_out(widths, paragraphs, size, width, height))
            return layout;
        if (size <= smallest) return std::nullopt;
    }
}

// As much as fits at sizes that read well: the name and the missing words, else the
// name, else the gauge's part of it; failing those, the name shrunk to fit. Empty
// when not even that fits.
Layout layout_for(TextWidths& widths, const PlacedGauge& gauge, double width, double height,
                  double zoom) {
    PlaceholderLabel label = placeholder_label(text_as_utf8(gauge.label));
    std::vector<Paragraph> name, gauge_only;
    if (!label.module.empty()) name.push_back({label.module, Style::module, module_share});
    if (!label.gauge.empty()) gauge_only.push_back({label.gauge, Style::gauge});
    name.insert(name.end(), gauge_only.begin(), gauge_only.end());
    std::vector<Paragraph> with_note = name;
    if (!gauge.missing.empty()) with_note.push_back({gauge.missing, Style::note, note_share});

    struct Attempt {
        const std::vector<Paragraph>& paragraphs;
        double largest, smallest;
    };
    const double large = largest_text * zoom, readable = readable_text * zoom;
    const Attempt attempts[] = {
        {with_note, large, std::max(readable, readable_note * zoom / note_share)},
        {name, large, readable},
        {gauge_only, large, readable},
        {name, readable, smallest_text * zoom},
        {gauge_only, readable, smallest_text * zoom},
    };
    for (const Attempt& attempt : attempts) {
        std::optional<Layout> layout = largest_fit(widths, attempt.paragraphs, attempt.largest,
                                                   attempt.smallest, width, height);
        if (layout) return *layout;
    }
    return {};
}

// Calls `add(start, length)` for the dashes along a side of `length`: they begin and
// end at its corners, so that the box's extent shows, with the gaps stretched to fit
// whole dashes.
template <typename Dash> void dashes_along(double length, double dash, double gap, Dash&& add) {
    int count = int(std::floor((length + gap) / (dash + gap)));
    if (count < 2) {
        add(0.0, length);
        return;
    }
    double step = (length - dash) / (count - 1);
    for (int i = 0; i < count; ++i)
        add(std::round(i * step), dash);
}

void draw_box(cairo_t* cr, double width, double height, double line, double zoom) {
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_set_source_rgba(cr, fill_colour.red, fill_colour.green, fill_colour.blue, fill_alpha);
    cairo_fill(cr);
    double dash = std::max(1.0, std::round(dash_length * zoom));
    double gap = std::max(1.0, std::round(dash_gap * zoom));
    dashes_along(width, dash, gap, [&](double at, double length) {
        cairo_rectangle(cr, at, 0, length, line);
        cairo_rectangle(cr, at, height - line, length, line);
    });
    dashes_along(height, dash, gap, [&](double at, double length) {
        cairo_rectangle(cr, 0, at, line, length);
        cairo_rectangle(cr, width - line, at, line, length);
    });
    set_colour(cr, outline_colour);
    cairo_fill(cr);
}

// Each line centred across the box, the whole text centred from top to bottom.
void draw_text(cairo_t* cr, const Layout& layout, double width, double height) {
    double top = (height - height_of(layout)) / 2;
    for (const Block& block : layout) {
        select_font(cr, block.style, block.size);
        set_colour(cr, look_of(block.style).colour);
        cairo_font_extents_t font;
        cairo_font_extents(cr, &font);
        double line_height = block.size * line_spacing;
        for (const std::string& line : block.lines) {
            cairo_text_extents_t text;
            cairo_text_extents(cr, line.c_str(), &text);
            double baseline = top + (line_height - (font.ascent + font.descent)) / 2 + font.ascent;
            cairo_move_to(cr, (width - text.x_advance) / 2, baseline);
            cairo_show_text(cr, line.c_str());
            top += line_height;
        }
    }
}

void use_unhinted_metrics(cairo_t* cr) {
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace

PlaceholderLabel placeholder_label(const std::string& name) {
    if (size_t bang = name.find('!'); bang != std::string::npos)
        return {trimmed(name.substr(0, bang)), trimmed(name.substr(bang + 1))};
    // The last part of a path; a query ("?Index=1") stays with it, whatever it holds.
    size_t query = name.find('?');
    size_t slash = name.find_last_of("/\\", query);
    std::string last = trimmed(slash == std::string::npos ? name : name.substr(slash + 1));
    return {"", last.empty() ? trimmed(name) : last};
}

void draw_placeholder(cairo_t* cr, const PlacedGauge& gauge, int width, int height, double zoom) {
    if (width <= 0 || height <= 0) return;
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_clip(cr);
    double line = std::max(1.0, std::round(outline_width * zoom));
    draw_box(cr, width, height, line, zoom);
    use_unhinted_metrics(cr);
    TextWidths widths(cr);
    double inset = line + padding * zoom;
    draw_text(cr, layout_for(widths, gauge, width - 2 * inset, height - 2 * inset, zoom), width,
              height);
    cairo_restore(cr);
}

cairo_surface_t* PlaceholderPictures::picture(const PlacedGauge& gauge, int width, int height,
                                              double zoom) {
    if (width <= 0 || height <= 0) return nullptr;
    Key key{gauge.label, gauge.missing, width, height, zoom};
    if (auto it = pictures_.find(key); it != pictures_.end()) return it->second.get();
    if (pictures_.size() >= most_pictures) pictures_.clear();
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    ContextPtr cr(cairo_create(surface.get()));
    draw_placeholder(cr.get(), gauge, width, height, zoom);
    cr.reset();
    cairo_surface_flush(surface.get());
    return pictures_.emplace(key, std::move(surface)).first->second.get();
}

} // namespace panelhost

#include "module_check/resource_checks.hpp"

#include "loaded_module.hpp"
#include "module_check/chain_walk.hpp"
#include "older_gauge.hpp"
#include "sound/wave_reader.hpp"

namespace panelhost::check {
namespace {

// Bitmaps larger than this on either side are taken for a mistake.
constexpr uint32_t largest_bitmap_side = 4096;
// Icons with more bitmaps than this are taken for a mistake.
constexpr uint32_t most_icon_bitmaps = 256;

struct Rect {
    double x, y, width, height;
};

class ElementResources {
  public:
    ElementResources(const ModuleResources& resources, const WalkedElement& walked,
                     std::vector<Finding>& out)
        : resources_(resources), walked_(walked), out_(out) {}

    // The bitmap `number`, noted when it is missing or of no sensible size.
    const Image* bitmap(uint32_t number, const std::string& role) {
        const Image* image = resources_.bitmap(number);
        if (!image) {
            note("bitmap", "its " + role + " bitmap " + std::to_string(number) +
                               " is not among the module's resources");
            return nullptr;
        }
        if (image->width == 0 || image->height == 0 || image->width > largest_bitmap_side ||
            image->height > largest_bitmap_side) {
            note("bitmap", "its " + role + " bitmap " + std::to_string(number) + " is " +
                               std::to_string(image->width) + " x " +
                               std::to_string(image->height) + " pixels");
            return nullptr;
        }
        return image;
    }

    void note(std::string check, std::string message) {
        out_.push_back(element_finding(std::move(check), walked_.index, walked_.record->kind,
                                       std::move(message)));
    }

    // An element drawn at `rect` that lies wholly outside the gauge is never seen.
    void within(const Rect& rect, const Image* design) {
        if (!design) return;
        if (rect.x >= design->width || rect.y >= design->height || rect.x + rect.width <= 0 ||
            rect.y + rect.height <= 0)
            note("element-box", "it lies wholly outside the gauge's " +
                                    std::to_string(design->width) + " x " +
                                    std::to_string(design->height) + " design bitmap");
    }

  private:
    const ModuleResources& resources_;
    const WalkedElement& walked_;
    std::vector<Finding>& out_;
};

Rect at_position(const ElementRecord& element, const Image& image) {
    return {double(element.position_x), double(element.position_y), double(image.width),
            double(image.height)};
}

void check_icon(ElementResources& check, const IconRecord& icon, const Image* design) {
    if (icon.icon_count > most_icon_bitmaps) {
        check.note("icon-range", "icon_count " + std::to_string(icon.icon_count) +
                                     " is more than " + std::to_string(most_icon_bitmaps));
        return;
    }
    for (uint32_t i = 0; i < icon.icon_count; ++i) {
        const Image* image =
            check.bitmap(icon.common.resource_id + i, "icon " + std::to_string(i) + "'s");
        if (image && i == 0) check.within(at_position(icon.common, *image), design);
    }
}

// A moving picture must cover its window on each axis it slides on.
void check_moving_image(ElementResources& check, const MovingImageRecord& image,
                        const Image* design) {
    const Image* picture = check.bitmap(image.common.resource_id, "picture");
    const Image* window = check.bitmap(image.common.resource_id + 1, "window");
    if (!window) return;
    check.within(at_position(image.common, *window), design);
    if (!picture) return;
    bool slides_x = image.x_source.id != 0 || image.x_callback;
    bool slides_y = image.y_source.id != 0 || image.y_callback;
    if ((slides_x && picture->width < window->width) ||
        (slides_y && picture->height < window->height))
        check.note("window", "its picture (" + std::to_string(picture->width) + " x " +
                                 std::to_string(picture->height) +
                                 ") is smaller than its window (" + std::to_string(window->width) +
                                 " x " + std::to_string(window->height) +
                                 ") on an axis it slides on");
}

void check_element(ElementResources& check, const ElementRecord& element, bool older,
                   const Image* design) {
    switch (element.kind) {
    case ELEMENT_STATIC_IMAGE:
    case ELEMENT_SLIDER:
        if (const Image* image = check.bitmap(element.resource_id, "image"))
            check.within(at_position(element, *image), design);
        break;
    case ELEMENT_NEEDLE:
        // The pivot may lie outside the needle bitmap: a bug or pointer drawn away
        // from the point it turns about.
        check.bitmap(element.resource_id, "needle");
        break;
    case ELEMENT_STRING: {
        if (older) break;
        const auto& string = reinterpret_cast<const StringRecord&>(element);
        check.within({double(element.position_x), double(element.position_y),
                      double(string.box_width), double(string.box_height)},
                     design);
        break;
    }
    case ELEMENT_ICON:
        if (!older) check_icon(check, reinterpret_cast<const IconRecord&>(element), design);
        break;
    case ELEMENT_MOVING_IMAGE:
        if (!older)
            check_moving_image(check, reinterpret_cast<const MovingImageRecord&>(element), design);
        break;
    case ELEMENT_SPRITE:
        if (older) break;
        check.bitmap(element.resource_id, "texture");
        if (const Image* window = check.bitmap(element.resource_id + 1, "window"))
            check.within(at_position(element, *window), design);
        break;
    default: break;
    }
}

std::string wave_problem(std::span<const uint8_t> bytes) {
    std::optional<sound::WaveContents> wave = sound::read_wave(bytes);
    if (!wave) return "is not a RIFF WAVE file with a format and a data chunk";
    const sound::WaveFormat& format = wave->format;
    if (format.format_tag != 1)
        return "is not PCM (format " + std::to_string(format.format_tag) + ")";
    if (format.channels < 1 || format.channels > 2)
        return "has " + std::to_string(format.channels) + " channels";
    if (format.bits_per_sample != 8 && format.bits_per_sample != 16)
        return "has " + std::to_string(format.bits_per_sample) + " bits per sample";
    if (format.samples_per_second < 4000 || format.samples_per_second > 192000)
        return "has " + std::to_string(format.samples_per_second) + " samples per second";
    if (format.block_align != format.channels * format.bits_per_sample / 8)
        return "has a block alignment of " + std::to_string(format.block_align) +
               " bytes for its channels and sample size";
    if (wave->samples.empty()) return "holds no samples";
    return {};
}

} // namespace

std::vector<Finding> check_waves(const ModuleResources& resources) {
    std::vector<Finding> out;
    for (const auto& [number, bytes] : resources.waves())
        if (std::string problem = wave_problem(bytes); !problem.empty())
            out.push_back({"wave", std::nullopt, "",
                           "WAVE resource " + std::to_string(number) + " " + problem, ""});
    return out;
}

std::vector<Finding> check_gauge_resources(const LoadedModule& module, const GaugeHeader& header) {
    std::vector<Finding> out;
    const bool older = older_header(&header) != nullptr;
    ChainWalk walk = walk_chain(header.element_list);
    const Image* design = nullptr;
    for (const WalkedElement& walked : walk.elements) {
        ElementResources check(module.resources(), walked, out);
        if (walked.index == 0) {
            // The root's bitmap is the gauge's design bitmap: what every position and
            // box is measured in.
            design = check.bitmap(walked.record->resource_id, "design");
            continue;
        }
        check_element(check, *walked.record, older, design);
    }
    return out;
}

} // namespace panelhost::check

// resgen: draws a gauge module's bitmaps, writes its WAVE sounds, and writes the
// files the build embeds them with.
//
//   resgen --module Marlow_Instr --out DIR [--png]
//   resgen --panel-background FILE.bmp
//
// Besides the embedding files it writes legends.txt, every text the bitmaps carry
// with the height of its ink: "NUMBER<tab>PIXELS<tab>TEXT" a line.
// --png also writes each bitmap as bitmap_<N>.png and the module's previews (its
// gauges put together as the host shows them) as preview_<name>.png.
// --panel-background writes the example aircraft's main panel background, an
// 8-bit BMP as aircraft panel folders keep them.
#include "art/art_families.hpp"
#include "art/panel_background_art.hpp"
#include "art/preview.hpp"
#include "art/render.hpp"
#include "output/bmp_file.hpp"
#include "output/embedding_files.hpp"
#include "output/file_writer.hpp"
#include "sound/waves.hpp"

#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using output::ResourceFile;
using output::ResourceKind;

struct Module {
    std::string_view name;
    std::string_view symbol_prefix;
};

constexpr Module modules[] = {
    {"Marlow_Instr", "marlow_res"},
    {"Harrow_ASI", "harrow_res"},
};

// Every family of art, each registering its own bitmaps.
constexpr void (*art_families[])(art::BitmapRegistry&) = {
    art::register_airspeed_art,     art::register_vertical_speed_art,
    art::register_compass_art,      art::register_fuel_art,
    art::register_engine_art,       art::register_flaps_gear_art,
    art::register_harrow_art,       art::register_toggle_art,
    art::register_registration_art, art::register_altimeter_art,
    art::register_attitude_art,     art::register_turn_coordinator_art,
    art::register_radio_art,        art::register_nav_vor_art,
    art::register_nav_xpdr_art,     art::register_nav_dme_art,
    art::register_nav_hsi_art,      art::register_nav_rmi_art,
};

struct Options {
    const Module* module = nullptr;
    fs::path out;
    bool png = false;
    fs::path panel_background;
};

const Module& find_module(std::string_view name) {
    for (const Module& m : modules)
        if (m.name == name) return m;
    throw std::runtime_error("unknown module " + std::string(name));
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--module" && has_value)
            options.module = &find_module(argv[++i]);
        else if (arg == "--out" && has_value)
            options.out = argv[++i];
        else if (arg == "--png")
            options.png = true;
        else if (arg == "--panel-background" && has_value)
            options.panel_background = argv[++i];
        else
            throw std::runtime_error("unexpected argument " + std::string(arg));
    }
    if (options.panel_background.empty() && (!options.module || options.out.empty()))
        throw std::runtime_error(
            "usage: resgen --module NAME --out DIR [--png] | --panel-background FILE.bmp");
    return options;
}

void run(const Options& options) {
    if (!options.panel_background.empty()) {
        output::write_if_changed(options.panel_background,
                                 output::bmp_file_8bit(art::render_panel_background()));
        if (!options.module) return;
    }
    const std::string module(options.module->name);
    const fs::path out = fs::absolute(options.out).lexically_normal();
    fs::create_directories(out);

    art::BitmapRegistry registry;
    for (auto register_family : art_families)
        register_family(registry);

    std::vector<ResourceFile> files;
    std::map<uint32_t, art::Image24> images;
    std::string legends;
    for (const art::Bitmap* bitmap : registry.bitmaps_of(module)) {
        std::vector<art::Legend> drawn;
        art::log_legends(&drawn);
        const art::Image24& image = images[bitmap->number] = art::render_bitmap(*bitmap);
        art::log_legends(nullptr);
        for (const art::Legend& legend : drawn)
            if (!legend.text.empty())
                legends += std::to_string(bitmap->number) + "\t" +
                           std::to_string(legend.ink_height) + "\t" + legend.text + "\n";
        auto bytes = output::bmp_file(image);
        if (bytes.size() != output::bmp_file_size(bitmap->width, bitmap->height))
            throw std::runtime_error("bitmap " + std::to_string(bitmap->number) +
                                     " encoded to an unexpected size");
        files.push_back({ResourceKind::bitmap, bitmap->number,
                         std::to_string(bitmap->width) + " " + std::to_string(bitmap->height),
                         std::move(bytes)});
    }
    for (sound::Wave& wave : sound::waves_of(module))
        files.push_back({ResourceKind::wave, wave.number, std::to_string(wave.data_bytes),
                         std::move(wave.file)});

    const std::string prefix(options.module->symbol_prefix);
    for (const ResourceFile& f : files)
        output::write_if_changed(out / f.file_name(), f.bytes);
    output::write_if_changed(out / "resources.S", output::assembly_listing(files, prefix, out));
    output::write_if_changed(out / "resource_table.inc", output::resource_table(files, prefix));
    output::write_if_changed(out / "resources.rc", output::resource_script(files));
    output::write_if_changed(out / "manifest.txt", output::manifest(files));
    output::write_if_changed(out / "legends.txt", legends);

    if (options.png) {
        for (const auto& [number, image] : images)
            art::write_png(image, out / ("bitmap_" + std::to_string(number) + ".png"));
        for (const art::Preview* preview : registry.previews_of(module))
            art::write_preview(*preview, images, out / ("preview_" + preview->name + ".png"));
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        run(parse(argc, argv));
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "resgen: error: " << error.what() << '\n';
        return 1;
    }
}

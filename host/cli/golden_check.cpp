#include "cli/golden_check.hpp"

#include "render/golden_pictures.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

namespace panelhost {
namespace {

namespace fs = std::filesystem;

struct Difference {
    std::string title; // gauge and state, or the golden's file name
    std::string reason;
    std::string golden; // pictures relative to the page, empty where there is none
    std::string picture;
    std::string difference;
};

std::set<std::string> golden_files(const std::string& golden_dir) {
    std::set<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(golden_dir, error))
        if (entry.path().extension() == ".png") files.insert(entry.path().filename().string());
    return files;
}

const char* page_style = R"(
body { background: #1c1d20; color: #ddd; font-family: sans-serif; margin: 24px; }
h2 { margin: 28px 0 4px; font-size: 18px; }
p { margin: 0 0 8px; color: #f0a060; }
.row { display: flex; gap: 18px; align-items: flex-start; }
figure { margin: 0; }
figcaption { font-size: 13px; margin-top: 4px; color: #aaa; }
img { display: block; background: #3b3d42; image-rendering: pixelated; }
)";

void figure(std::ostream& page, const std::string& file, const char* caption) {
    if (file.empty()) return;
    page << "<figure><img src=\"" << escape_html(file) << "\"><figcaption>" << caption
         << "</figcaption></figure>";
}

void write_page(const std::string& path, const std::string& golden_dir,
                const std::vector<Difference>& differences) {
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Gallery against "
            "its goldens</title><style>"
         << page_style << "</style></head><body>\n<h1>Gallery against its goldens</h1>\n";
    page << "<div>" << differences.size() << " differences from the goldens in "
         << escape_html(golden_dir) << "</div>\n";
    for (const Difference& d : differences) {
        page << "<h2>" << escape_html(d.title) << "</h2><p>" << escape_html(d.reason)
             << "</p><div class=\"row\">";
        figure(page, d.golden, "golden");
        figure(page, d.picture, "new");
        figure(page, d.difference, "differing pixels");
        page << "</div>\n";
    }
    page << "</body></html>\n";
    std::ofstream(path) << page.str();
}

} // namespace

bool check_goldens(const std::vector<GalleryPicture>& pictures, const std::string& out_dir,
                   const std::string& golden_dir) {
    using Outcome = GoldenComparison::Outcome;
    std::error_code ignored; // what an earlier check left
    fs::remove_all(out_dir + "/differences", ignored);
    fs::remove_all(out_dir + "/goldens", ignored);
    std::set<std::string> unmatched = golden_files(golden_dir);
    std::vector<Difference> differences;
    for (const GalleryPicture& picture : pictures) {
        unmatched.erase(picture.file);
        const std::string golden = golden_dir + "/" + picture.file;
        const GoldenComparison result = compare_with_golden(
            out_dir + "/" + picture.file, golden, out_dir + "/differences/" + picture.file);
        if (result.outcome == Outcome::same) continue;
        Difference d{picture.gauge + ": " + picture.state, result.reason, "", picture.file, ""};
        if (result.outcome == Outcome::no_golden) d.reason = "no golden yet";
        if (result.outcome != Outcome::no_golden) {
            std::error_code error;
            fs::create_directories(out_dir + "/goldens", error);
            fs::copy_file(golden, out_dir + "/goldens/" + picture.file,
                          fs::copy_options::overwrite_existing, error);
            d.golden = "goldens/" + picture.file;
        }
        if (fs::exists(out_dir + "/differences/" + picture.file))
            d.difference = "differences/" + picture.file;
        std::cerr << "panelhost: " << d.title << " (" << picture.file << "): " << d.reason << "\n";
        differences.push_back(std::move(d));
    }
    for (const std::string& file : unmatched) {
        std::cerr << "panelhost: golden " << file << " has no picture: no state draws it\n";
        differences.push_back({file, "a golden that no state draws", "", "", ""});
    }
    const std::string page = out_dir + "/differences.html";
    write_page(page, golden_dir, differences);
    if (differences.empty()) {
        std::cout << "panelhost: all " << pictures.size() << " pictures match the goldens in "
                  << golden_dir << "\n";
        return true;
    }
    std::cerr << "panelhost: " << differences.size() << " differences from the goldens in "
              << golden_dir << ": see " << page
              << "; if they are meant, accept them with --rewrite-golden\n";
    return false;
}

bool rewrite_goldens(const std::vector<GalleryPicture>& pictures, const std::string& out_dir,
                     const std::string& golden_dir) {
    std::error_code error;
    fs::create_directories(golden_dir, error);
    if (error) {
        std::cerr << "panelhost: cannot create " << golden_dir << ": " << error.message() << "\n";
        return false;
    }
    std::set<std::string> stale = golden_files(golden_dir);
    for (const GalleryPicture& picture : pictures) {
        stale.erase(picture.file);
        fs::copy_file(out_dir + "/" + picture.file, golden_dir + "/" + picture.file,
                      fs::copy_options::overwrite_existing, error);
        if (error) {
            std::cerr << "panelhost: cannot write " << golden_dir << "/" << picture.file << ": "
                      << error.message() << "\n";
            return false;
        }
    }
    for (const std::string& file : stale)
        fs::remove(golden_dir + "/" + file, error);
    std::cout << "panelhost: wrote " << pictures.size() << " goldens to " << golden_dir
              << " (removed " << stale.size() << " no state draws)\n";
    return true;
}

} // namespace panelhost

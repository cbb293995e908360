#include "panel_fonts.hpp"

#include <fontconfig/fontconfig.h>

namespace panelhost {

bool use_panel_fonts(const std::string& conf_path, std::string& error) {
    if (conf_path.empty() || conf_path.front() != '/') {
        error = "the fonts file needs an absolute path: '" + conf_path + "'";
        return false;
    }
    FcConfig* config = FcInitLoadConfig(); // the system configuration, no fonts yet
    if (!config) {
        error = "fontconfig could not load the system configuration";
        return false;
    }
    const auto* path = reinterpret_cast<const FcChar8*>(conf_path.c_str());
    if (!FcConfigParseAndLoad(config, path, FcTrue)) {
        error = "cannot load the fonts file " + conf_path;
        FcConfigDestroy(config);
        return false;
    }
    if (!FcConfigBuildFonts(config) || !FcConfigSetCurrent(config)) {
        error = "fontconfig could not build the font list";
        FcConfigDestroy(config);
        return false;
    }
    // fontconfig holds its own reference to the current configuration.
    FcConfigDestroy(config);
    return true;
}

} // namespace panelhost

// The fonts the gauges' string elements name ("Quartz", "Arial"), mapped to fonts
// this machine has by the fontconfig file fonts/panel-fonts.conf.
#pragma once

#include <string>

namespace panelhost {

// Makes the system font configuration plus the file at `conf_path` fontconfig's
// current configuration, which Cairo's text drawing then uses. Call it before any
// text is drawn: Cairo keeps the faces it has already resolved. The path must be
// absolute (fontconfig reads a relative one from its own directory). Returns false
// and sets `error` when the file cannot be loaded; the current configuration is
// then left as it was.
bool use_panel_fonts(const std::string& conf_path, std::string& error);

#ifdef PANEL_FONTS_CONF
// The panel-fonts.conf of the source tree this host was built from.
inline bool use_panel_fonts(std::string& error) { return use_panel_fonts(PANEL_FONTS_CONF, error); }
#endif

} // namespace panelhost

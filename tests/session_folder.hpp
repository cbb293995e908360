// A fixture for the tests of a workbench session on a panel of their own: a folder
// of the test's own holding the panel file, Marlow_Instr (linked) and the probe
// module (a copy, which a test may replace as a rebuild would), with the panel
// fonts in use. `open` starts the session the test drives.
#pragma once

#include "render/panel_fonts.hpp"
#include "test_folder.hpp"
#include "workbench/workbench_session.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>

class SessionFolder : public ::testing::Test {
  protected:
    // `prefix` names the folder; `panel` is the text of its panel.cfg.
    SessionFolder(std::string prefix, std::string panel)
        : prefix_(std::move(prefix)), panel_(std::move(panel)) {}

    void SetUp() override {
        std::string error;
        ASSERT_TRUE(panelhost::use_panel_fonts(error)) << error;
        dir = fresh_test_folder(prefix_);
        std::filesystem::create_symlink(MARLOW_MODULE_PATH, dir / "Marlow_Instr.so");
        std::filesystem::copy_file(PROBE_MODULE_PATH, dir / "probe_module.so");
        write("panel.cfg", panel_);
    }
    void TearDown() override {
        session.reset();
        std::filesystem::remove_all(dir);
    }

    // Writes a file of the folder; returns its path.
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir / name, std::ios::binary) << text;
        return (dir / name).string();
    }

    // Starts a session on the folder's panel, its modules found beside it, playing
    // the scenario file if one is named.
    panelhost::WorkbenchSession& open(const std::string& scenario_file = "") {
        panelhost::WorkbenchOptions options;
        options.panel_file = (dir / "panel.cfg").string();
        options.module_dirs = {dir.string()};
        options.scenario_file = scenario_file;
        session = std::make_unique<panelhost::WorkbenchSession>(options);
        return *session;
    }

    std::filesystem::path dir;
    std::unique_ptr<panelhost::WorkbenchSession> session;

  private:
    std::string prefix_;
    std::string panel_;
};

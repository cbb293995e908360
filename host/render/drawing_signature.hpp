// Everything a gauge's picture depends on that can change from one cycle to the
// next, read from its element states: two equal exact signatures draw the same
// picture.
#pragma once

#include "gauge_instance.hpp"
#include "panel_host.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost {

struct DrawingSignature {
    std::vector<uint64_t> words; // numbers, doubles by their bits (so NaN equals NaN)
    std::string texts;           // string elements' texts, each ended by a zero

    bool operator==(const DrawingSignature&) const = default;
};

// How far apart two states must be to count as different pictures: changes below
// these steps (needle and sprite turns in degrees, displacements in design pixels,
// moving-image travel as a fraction) leave the signature as it was. Zero steps,
// the default, compare exactly.
struct SignatureSteps {
    double degrees = 0;
    double pixels = 0;
    double travel = 0;
};

DrawingSignature drawing_signature(const GaugeInstance& instance, const SignatureSteps& steps = {});

// Runs update cycles until no placed gauge would draw differently, at most `most`
// of them; returns how many it ran. A value that a gauge's callback computes from
// one of its later elements reaches the picture an update late (the chain is
// updated from the background to the front), so a picture drawn right after one
// update may show an element from before it.
int update_until_settled(PanelHost& host, int most = 8);

} // namespace panelhost

#include "help_texts.hpp"

#include <cstdio>
#include <map>

namespace panelhost {

std::string help_text(uint32_t help_id) {
    static const std::map<uint32_t, const char*> texts = {
        {0x3002, "Airspeed indicator (knots)"},
        {0x3051, "Altimeter (feet)"},
        {0x3092, "Attitude indicator"},
        {0x3094, "Horizontal situation indicator"},
        {0x3099, "Vertical speed indicator (feet per minute)"},
        {0x3160, "COM1 radio"},
        {0x3168, "NAV1 radio"},
        {0x3169, "NAV2 radio"},
        {0x3170, "ADF radio"},
        {0x317A, "DME distance, ground speed and time to station"},
        {0x317C, "DME receiver selector"},
        {0x3180, "Transponder"},
        {12465, "Engine 1 propeller RPM"},
        {12466, "Engine 2 propeller RPM"},
        {12467, "Engine 3 propeller RPM"},
        {12468, "Engine 4 propeller RPM"},
        {12491, "Engine 1 fuel flow (pounds per hour)"},
        {12492, "Engine 2 fuel flow (pounds per hour)"},
        {12493, "Engine 3 fuel flow (pounds per hour)"},
        {12494, "Engine 4 fuel flow (pounds per hour)"},
        {12529, "Engine 1 oil temperature (degrees C)"},
        {12530, "Engine 2 oil temperature (degrees C)"},
        {12531, "Engine 3 oil temperature (degrees C)"},
        {12532, "Engine 4 oil temperature (degrees C)"},
        {12545, "Engine 1 oil pressure (psi)"},
        {12546, "Engine 2 oil pressure (psi)"},
        {12547, "Engine 3 oil pressure (psi)"},
        {12548, "Engine 4 oil pressure (psi)"},
        {12742, "Engine 1 torque (foot-pounds)"},
        {12743, "Engine 2 torque (foot-pounds)"},
        {12744, "Engine 3 torque (foot-pounds)"},
        {12745, "Engine 4 torque (foot-pounds)"},
        {12758, "Engine 1 interstage turbine temperature (degrees C)"},
        {12759, "Engine 2 interstage turbine temperature (degrees C)"},
        {12760, "Engine 3 interstage turbine temperature (degrees C)"},
        {12761, "Engine 4 interstage turbine temperature (degrees C)"},
        {12769, "Engine 1 gas generator RPM (percent)"},
        {12770, "Engine 2 gas generator RPM (percent)"},
        {12771, "Engine 3 gas generator RPM (percent)"},
        {12772, "Engine 4 gas generator RPM (percent)"},
        {0xA903, "Flaps position and landing gear"},
        {0xAB02, "Airspeed indicator"},
        {0xAB07, "Altimeter pressure setting knob"},
        {0xAB33, "Heading bug knob"},
        {0xAB38, "Course knob"},
        {0xAB5A, "Radio magnetic indicator"},
        {0xAB61, "Turn coordinator"},
        {0xAB71, "Turn coordinator: rate of turn and slip"},
        {0xAB72, "VOR indicator"},
        {0xAB73, "Omni bearing selector"},
        {0xAB76, "Vertical speed"},
        {0xAB77, "Magnetic compass"},
        {0xAB86, "Toggle radio stack window"},
        {0xAB87, "Toggle GPS window"},
        {0xAB88, "Toggle throttle quadrant window"},
        {0xAB89, "Toggle compass window"},
        {0xAB8A, "Toggle fuel window"},
        {0xAB8B, "Toggle collective window"},
        {0xAB8C, "Hydraulic pressure (psi)"},
        {0xAB8F, "Show or hide the map"},
        {0xAB93, "Show or hide the kneeboard"},
        {0xAB94, "Show or hide the ATC window"},
        {0xAB95, "Toggle overhead panel window"},
    };
    auto it = texts.find(help_id);
    if (it != texts.end()) return it->second;
    char text[24];
    std::snprintf(text, sizeof text, "Help 0x%04X", help_id);
    return text;
}

} // namespace panelhost

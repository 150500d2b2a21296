#pragma once

#include <string_view>

namespace fendral::ui {

// What the sample windows show, byte for byte: the user copies these lines into real files, so
// every blank and every CRLF matters, the last line's too.

inline constexpr std::string_view kSampleBatchText =
    "SET SST_SCREENREFRESH=75 \r\n"
    "REM sets refresh rate\r\n"
    "SET SST_GRXCLK=57\r\n"
    "REM Sets card speed\r\n"
    "SET FX_GLIDE_SWAPINTERVAL=0\r\n"
    "REM Makes refresh faster\r\n"
    "SET SST_FASTMEM=1\r\n"
    "REM Doesnt do much\r\n"
    "SET SST_FASTPCIRD=1\r\n"
    "REM Little bit faster with this\r\n"
    "SET SST_SWAP_EN_WAIT_ON_VSYNC=0\r\n"
    "REM Screen refreshes faster\r\n"
    "SET SST_GAMMA=2.0\r\n"
    "REM Sets gamma correction\r\n";

inline constexpr std::string_view kSampleConfigText =
    "cl_footsteps 0\r\n"
    "//  Turns off footstep sounds\r\n"
    "cl_lights 0\r\n"
    "//  Weapons dont emit light\r\n"
    "cl_particles 0\r\n"
    "//  Weapons  without particles \r\n"
    "gl_polyblend 0\r\n"
    "//  Screen same when underwater\r\n"
    "gl_picmip 1\r\n"
    "//  Texture detail lower in m-player\r\n"
    "gl_playermip 1\r\n"
    "//  Skin detail lower in m-player\r\n"
    "gl_flashblend 0\r\n"
    "//  Best lighting effect\r\n"
    "gl_shadows 1\r\n"
    "//  Adds shadows 3.12+\r\n"
    "gl_swapinterval 0\r\n"
    "//  Draws faster\r\n"
    "gl_ztrick 1\r\n"
    "//  Doesnt clear zbuffer\r\n"
    "in_initjoy 0\r\n"
    "//  Disables joystick\r\n"
    "m_filter 1\r\n"
    "// Smoother mouse\r\n"
    "cd_nocd 1\r\n"
    "//  Turns off cd-audio\r\n";

}  // namespace fendral::ui

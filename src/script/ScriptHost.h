#pragma once

#include "core/gfx/Canvas.h"

#include <cstdint>
#include <vector>

namespace quarry::script {

// A picture's size in pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
};

// What scripts need that the core does not have: the program running the
// script provides it (the command-line tool through Qt's image code).
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The picture as the bytes of a PNG file.
    virtual std::vector<std::uint8_t> encodePng(const gfx::Canvas& picture) = 0;
    // The preview pictures' sizes, which the map-size checks of actor and
    // stair moves take, as the editor's drags do.
    virtual PictureSize actorPictureSize(int type) = 0;
    virtual PictureSize stairPictureSize(int upDown, int leftRight) = 0;
};

} // namespace quarry::script

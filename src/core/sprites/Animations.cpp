#include "core/sprites/Animations.h"

#include "core/RomError.h"
#include "core/rom/GameLayout.h"
#include "core/rom/Hex.h"
#include "core/rom/RomImage.h"

#include <stdexcept>
#include <string>

namespace quarry::sprites {

std::uint16_t getFramePointer(const rom::RomImage& rom, int frame)
{
    const std::size_t entry = layout::kFramePointerTable + 2 * static_cast<std::size_t>(frame & 0xFF);
    if (!rom.contains(entry, 2))
        throw RomError("the frame pointer of frame " + hexDigits(static_cast<std::uint32_t>(frame & 0xFF), 2)
                       + " lies outside the image (body index " + fileOffsetText(static_cast<std::uint32_t>(entry))
                       + ")");
    return rom.readWord(entry);
}

Animation loadAnimation(const rom::RomImage& rom, int animation)
{
    if (animation < 0 || animation >= layout::kAnimationCount)
        throw std::out_of_range("animation " + std::to_string(animation) + " is not one of the "
                                + std::to_string(layout::kAnimationCount) + " animations");
    const std::size_t record = layout::kAnimationTable + layout::kAnimationRecordSize * static_cast<std::size_t>(animation);
    if (!rom.contains(record, layout::kAnimationRecordSize))
        throw RomError("the record of animation " + hexDigits(static_cast<std::uint32_t>(animation), 2)
                       + " lies outside the image (body index " + fileOffsetText(static_cast<std::uint32_t>(record))
                       + ")");
    const auto bytes = rom.bytes(record, layout::kAnimationRecordSize);

    Animation result;
    result.frames = bytes[0];
    result.start = bytes[1];
    result.timer = bytes[2];
    // At most 256 entries: frames is a byte.
    result.framePointers.reserve(static_cast<std::size_t>(result.frameCount()));
    for (int i = 0; i < result.frameCount(); ++i)
        result.framePointers.push_back(getFramePointer(rom, result.frameNumber(i)));
    return result;
}

} // namespace quarry::sprites

#pragma once

// Small helpers the image map's builders share.
#include "core/compare/ImageMap.h"

#include <string>

namespace quarry::compare {

inline Field byteField(std::string name, std::size_t index, std::uint8_t mask = 0xFF)
{
    Field field;
    field.name = std::move(name);
    field.bits[0] = {static_cast<std::uint32_t>(index), mask};
    return field;
}

inline Field pairField(std::string name, std::size_t first, std::size_t second, FieldForm form,
                       std::uint8_t mask = 0xFF)
{
    Field field;
    field.name = std::move(name);
    field.bits[0] = {static_cast<std::uint32_t>(first), mask};
    field.bits[1] = {static_cast<std::uint32_t>(second), mask};
    field.count = 2;
    field.form = form;
    return field;
}

// A little-endian word: low byte first.
inline Field wordField(std::string name, std::size_t index)
{
    return pairField(std::move(name), index, index + 1, FieldForm::Word);
}

// The part under `key`, made with `kind` and `name` the first time.
inline int partFor(ImageMap& map, const std::string& key, PartKind kind, const std::string& name)
{
    int index = map.findKey(key);
    if (index < 0) {
        Part part;
        part.kind = kind;
        part.name = name;
        index = map.addPart(std::move(part), key);
    }
    return index;
}

// Adds `field` to the part and claims its bytes, once per field position.
inline void addField(ImageMap& map, int part, Field field)
{
    Part& target = map.part(part);
    for (const Field& existing : target.fields)
        if (existing.bits[0].index == field.bits[0].index && existing.bits[0].mask == field.bits[0].mask)
            return;
    for (int k = 0; k < field.count; ++k)
        map.claim(part, field.bits[k].index, 1);
    target.fields.push_back(std::move(field));
}

inline std::string hexByte(std::uint32_t value)
{
    static const char* digits = "0123456789ABCDEF";
    return std::string("$") + digits[(value >> 4) & 15] + digits[value & 15];
}

} // namespace quarry::compare

#include "core/rom/DataFiles.h"

#include "core/rom/FileAccess.h"
#include "core/rom/Hex.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <limits>

namespace quarry::rom {

namespace {

// Reads a text file line by line; lines lose a trailing carriage return so
// files written on Windows read the same. Read under the rules for every
// input: a regular file of bounded size, never a pipe or a device.
ReadStatus readLines(const std::string& path, std::vector<std::string>& lines)
{
    const FileContents file = readRegularFile(path, kSideFileLimit);
    if (file.status != ReadStatus::Read)
        return file.status;
    std::string line;
    for (const std::uint8_t byte : file.bytes) {
        if (byte != '\n') {
            line += static_cast<char>(byte);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty()) {
        if (line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
    }
    return ReadStatus::Read;
}

// The value of the leading hexadecimal digits among the first two
// characters; it stops at the first character that is not a digit.
int leadingHexCode(const std::string& line)
{
    int value = 0;
    for (std::size_t i = 0; i < 2 && i < line.size(); ++i) {
        const int digit = hexDigitValue(line[i]);
        if (digit < 0)
            break;
        value = value * 16 + digit;
    }
    return value & 0xFF;
}

// The last character of a line, kept whole when it is a multi-byte UTF-8
// character.
std::string lastCharacter(const std::string& line)
{
    std::size_t start = line.size() - 1;
    while (start > 0 && (static_cast<unsigned char>(line[start]) & 0xC0) == 0x80)
        --start;
    return line.substr(start);
}

// A leading decimal number, 0 when there is none or it does not fit 16 bits.
std::int16_t leadingDecimal(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    long value = 0;
    const char* first = line.data() + i;
    const char* last = line.data() + line.size();
    if (first != last && *first == '+')
        ++first;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || value < std::numeric_limits<std::int16_t>::min()
        || value > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<std::int16_t>(value);
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    return (std::filesystem::path(folder) / name).string();
}

} // namespace

void applyDefaultCharTable(CharTable& table)
{
    table[0x00] = " ";
    for (int i = 0; i < 26; ++i)
        table[static_cast<std::size_t>(0x01 + i)] = std::string(1, static_cast<char>('A' + i));
    table[0x1B] = ".";
    table[0x1C] = "'";
    table[0x1E] = ",";
    for (int i = 0; i < 10; ++i)
        table[static_cast<std::size_t>(0x36 + i)] = std::string(1, static_cast<char>('0' + i));
    table[0x40] = "!";
    table[0x5D] = "?";
}

bool loadCharTable(const std::string& datDir, CharTable& table, ReadStatus* status)
{
    std::vector<std::string> lines;
    const ReadStatus read = readLines(joinPath(datDir, "TBL.DAT"), lines);
    if (status)
        *status = read;
    if (read != ReadStatus::Read) {
        applyDefaultCharTable(table);
        return false;
    }
    for (const std::string& line : lines) {
        // A blank line names no code and no character; it must not clear
        // the entry of code 0 (the space).
        if (line.empty())
            continue;
        table[static_cast<std::size_t>(leadingHexCode(line))] = lastCharacter(line);
    }
    return true;
}

bool loadNameLists(const std::string& datDir, std::vector<std::string>& partNames,
                   std::vector<std::string>& weaponNames)
{
    std::vector<std::string> parts, weapons;
    if (readLines(joinPath(datDir, "PARTS.DAT"), parts) == ReadStatus::Read
        && readLines(joinPath(datDir, "WEAPON.DAT"), weapons) == ReadStatus::Read) {
        partNames = std::move(parts);
        weaponNames = std::move(weapons);
        return true;
    }
    partNames = {"None", "Rib", "Heart", "Eye", "Nail", "Ring", "Crystal"};
    weaponNames = {"None",       "Dagger", "Silver Dagger", "Golden Dagger", "Holy Water",
                   "Diamond",    "Fire",   "Stake",         "Laurel",        "Garlic"};
    return false;
}

std::vector<ActorTypeInfo> loadActorTypes(const std::string& datDir)
{
    std::vector<ActorTypeInfo> types;
    for (int code = 0; code < 256; ++code) {
        const std::string path = joinPath(datDir, "obj/obj" + hexDigits(static_cast<std::uint32_t>(code), 2) + ".TXT");
        std::vector<std::string> lines;
        if (!fileExists(path) || readLines(path, lines) != ReadStatus::Read)
            continue;
        lines.resize(8); // a short file reads its missing lines as empty
        ActorTypeInfo info;
        info.name = lines[0];
        info.code = static_cast<std::uint8_t>(code);
        info.controlKind = leadingDecimal(lines[1]);
        for (std::size_t set = 0; set < info.objectSetFlags.size(); ++set)
            info.objectSetFlags[set] = lines[2 + set] == "T";
        types.push_back(std::move(info));
    }
    return types;
}

bool fileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace quarry::rom

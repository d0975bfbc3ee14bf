// quarry.read_file, write_file and step: the only ways a script reaches files,
// under the file rules of the rest of the program.
#include "script/ScriptContext.h"

#include "core/rom/FileAccess.h"

#include <filesystem>

namespace quarry::script {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLargestReadFile = 16u << 20;

// Links are never followed: a script's path must name the thing itself.
void refuseLink(lua_State* L, const fs::path& path)
{
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec)))
        raise(L, path.string() + " is a link; scripts read and write only regular files, never through links");
}

bool inside(const fs::path& folder, const fs::path& path)
{
    const auto [end, at] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return end == folder.end();
}

int readFile(lua_State* L)
{
    const fs::path path = luaL_checkstring(L, 1);
    refuseLink(L, path);
    std::vector<std::uint8_t> bytes;
    guarded(L, [&] {
        bytes = rom::readRegularFileOrThrow(path.string(), kLargestReadFile);
        return 0;
    });
    lua_pushlstring(L, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return 1;
}

int writeFile(lua_State* L)
{
    const std::string path = writablePath(L, luaL_checkstring(L, 1));
    std::size_t size = 0;
    const char* text = luaL_checklstring(L, 2, &size);
    queueFile(L, path, std::vector<std::uint8_t>(text, text + size));
    return 0;
}

int step(lua_State* L)
{
    std::string name = luaL_checkstring(L, 1);
    if (name.find_first_not_of(" \t\r\n") == std::string::npos)
        raise(L, "the step's name is empty");
    contextOf(L).stepName = std::move(name);
    return 0;
}

} // namespace

std::string writablePath(lua_State* L, const std::string& text)
{
    const auto& folderName = contextOf(L).options.writeFolder;
    if (!folderName)
        raise(L, "cannot write " + text + ": no folder was allowed for writing (quarry-cli run --allow-write DIR)");
    std::error_code ec;
    const fs::path folder = fs::canonical(*folderName, ec);
    if (ec || !fs::is_directory(folder))
        raise(L, "cannot write " + text + ": the folder allowed for writing, " + *folderName + ", is no folder");
    const fs::path path = fs::absolute(text, ec).lexically_normal();
    if (ec || !path.has_filename())
        raise(L, "cannot write " + text + ": it names no file");
    const fs::path parent = fs::weakly_canonical(path.parent_path(), ec);
    if (ec || !inside(folder, parent))
        raise(L, "cannot write " + text + ": it lies outside the folder allowed for writing, " + folder.string());
    const fs::path target = parent / path.filename();
    refuseLink(L, target);
    const fs::file_status status = fs::status(target, ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        raise(L, "cannot write " + text + ": it is no regular file");
    return target.string();
}

void queueFile(lua_State* L, std::string path, std::vector<std::uint8_t> bytes)
{
    auto& files = contextOf(L).files;
    // A later write of the same file replaces the earlier one.
    std::erase_if(files, [&](const PendingFile& file) { return file.path == path; });
    files.push_back({std::move(path), std::move(bytes)});
}

void addFileApi(lua_State* L)
{
    const luaL_Reg functions[] = {
        {"read_file", readFile}, {"write_file", writeFile}, {"step", step}, {nullptr, nullptr}};
    luaL_setfuncs(L, functions, 0);
}

} // namespace quarry::script

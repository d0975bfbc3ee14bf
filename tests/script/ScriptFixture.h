#pragma once

#include "core/patch/PatchFile.h"
#include "core/rom/RomImage.h"
#include "core/demo/DemoImage.h"
#include "core/session/Document.h"
#include "script/ScriptRun.h"
#include "support/SyntheticRom.h"

#include <stdexcept>
#include <string>
#include <algorithm>
#include <vector>

namespace quarry::test {

// Pictures as their size in bytes, actor and stair pictures of one size.
class FakeHost : public script::ScriptHost {
public:
    std::vector<std::uint8_t> encodePng(const gfx::Canvas& picture) override
    {
        return std::vector<std::uint8_t>(static_cast<std::size_t>(picture.width() * picture.height()), 0x50);
    }
    script::PictureSize actorPictureSize(int) override { return {16, 32}; }
    script::PictureSize stairPictureSize(int, int) override { return {16, 16}; }
};

// The demo image opened in a document, with a history of what runs hand it.
struct DemoDocument {
    TempDir dir;
    session::Document document;
    std::vector<session::EditEntry> steps;
    FakeHost host;
    std::vector<std::string> printed;

    DemoDocument()
    {
        const rom::RomImage image = demo::buildDemoImage();
        writeFileBytes(dir.file("demo.nes"), patch::imageFileBytes(image));
        if (document.open(dir.file("demo.nes")) != rom::OpenResult::Loaded)
            throw std::runtime_error("the demo image did not open");
        document.setEditListener([this](session::EditEntry entry) { steps.push_back(std::move(entry)); });
    }

    script::RunResult run(const std::string& source, script::RunOptions options = {})
    {
        if (options.chunkName.empty())
            options.chunkName = "test.lua";
        options.print = [this](std::string_view line) { printed.emplace_back(line); };
        return script::runScript(document, host, source, options);
    }
};

} // namespace quarry::test

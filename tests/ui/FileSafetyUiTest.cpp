// The editor's saves, backups, Save As and exports at the edges of the file
// system: names that are no files, and a backup that cannot be written.
#include "ScriptedDialogs.h"

#include "support/SyntheticRom.h"
#include "support/SyntheticWorld.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowExtras.h"
#include "ui/Texts.h"

#include <QAction>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace quarry {
namespace {

using test::ScriptedDialogs;
using ui::MainWindow;
namespace fs = std::filesystem;

struct Editor {
    test::TempDir dir;
    test::SyntheticWorld world;
    ScriptedDialogs dialogs;
    MainWindow window{dialogs, QString::fromStdString(dir.file("dat"))};
    std::string path;

    // A file name so long that nothing can be put beside it under a longer
    // name: neither a backup nor a temporary, whoever runs the test.
    explicit Editor(std::size_t nameLength = 8)
    {
        path = dir.file(std::string(nameLength - 4, 'g') + ".nes");
        world.writeFile(path);
        window.startUp();
        window.openPath(QString::fromStdString(path));
        dialogs.messages.clear();
    }
    void edit()
    {
        window.document().paintCell(0, 0, static_cast<std::uint8_t>(window.document().area()->map.mapGrid[0] ^ 1));
    }
};

TEST(FileSafetyUi, ABackupThatCannotBeWrittenAsksBeforeSaving)
{
    Editor e(254);
    const std::vector<std::uint8_t> opened = test::readFileBytes(e.path);
    e.edit();

    // Cancel: nothing is saved.
    EXPECT_FALSE(e.window.saveFile());
    EXPECT_EQ(e.dialogs.messages, QStringList{ui::texts::kBackupQuestion});
    EXPECT_EQ(test::readFileBytes(e.path), opened);

    // Save: written without a backup (in place, as no temporary fits either).
    e.dialogs.saveOrCancelAnswers.push_back(true);
    EXPECT_TRUE(e.window.saveFile());
    EXPECT_EQ(e.dialogs.lastMessage(), ui::texts::kSaved);
    EXPECT_NE(test::readFileBytes(e.path), opened);
    EXPECT_EQ(std::distance(fs::directory_iterator(e.dir.path()), {}), 1);
    // The answer holds for the rest of this opening.
    e.edit();
    e.dialogs.messages.clear();
    EXPECT_TRUE(e.window.saveFile());
    EXPECT_EQ(e.dialogs.messages, QStringList{ui::texts::kSaved});
}

TEST(FileSafetyUi, SaveAsAndExportsRefuseNamesThatAreNoFiles)
{
    // Should the editor ever wait on the pipe, the test dies instead of
    // hanging the run.
    ::alarm(60);
    Editor e;
    const std::string pipe = e.dir.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    e.dialogs.filesToSave.push_back(QString::fromStdString(pipe));
    EXPECT_FALSE(e.window.saveFileAs());
    EXPECT_EQ(e.dialogs.lastMessage(), ui::texts::kNotRegularFile);
    EXPECT_EQ(e.window.document().romPath(), e.path);

    e.dialogs.filesToSave.push_back(QString::fromStdString(pipe));
    e.window.extras()->exportMapAction()->trigger();
    EXPECT_TRUE(e.dialogs.lastMessage().contains("not a regular file")) << e.dialogs.lastMessage().toStdString();
    EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);

    // Opening a device or a pipe is refused at once, keeping the image.
    for (const std::string& special : {std::string("/dev/zero"), pipe}) {
        e.window.openPath(QString::fromStdString(special));
        EXPECT_EQ(e.dialogs.lastMessage(), ui::texts::kErrorLoading);
    }
    EXPECT_EQ(e.window.document().romPath(), e.path);
    ::alarm(0);
}

} // namespace
} // namespace quarry

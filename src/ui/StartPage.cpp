#include "ui/StartPage.h"

#include "ui/AreaWorkspace.h"
#include "ui/CommandLine.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace quarry::ui {

StartPage::StartPage(MainWindow& window, Dialogs& dialogs) : window_(window), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("startPage"));
    auto* title = new QLabel(QStringLiteral("Quarry"), this);
    QFont large = title->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    title->setFont(large);
    auto* words = new QLabel(QStringLiteral("Open an iNES image of the game to edit it, or look around in the demo "
                                            "image, which is made of our own pictures."),
                             this);
    words->setWordWrap(true);

    open_ = new QPushButton(QStringLiteral("Open..."), this);
    open_->setToolTip(QStringLiteral("Choose an iNES image to open"));
    demo_ = new QPushButton(QStringLiteral("Open Demo"), this);
    demo_->setToolTip(QStringLiteral("Write a demo image of our own and open it"));
    connect(open_, &QPushButton::clicked, &window, &MainWindow::openFile);
    connect(demo_, &QPushButton::clicked, this, &StartPage::openDemo);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(demo_);
    buttons->addStretch();

    auto* heading = new QLabel(QStringLiteral("Recent Images"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    recent_ = new QListWidget(this);
    recent_->setObjectName(QStringLiteral("startRecent"));
    noRecent_ = new QLabel(QStringLiteral("No image opened yet."), this);
    // A click opens, and so does Enter; where a click also activates, the
    // image is not opened twice.
    auto openItem = [this](const QListWidgetItem* item) {
        const QString path = item->data(Qt::UserRole).toString();
        if (QFileInfo(QString::fromStdString(window_.document().romPath())) != QFileInfo(path))
            window_.openRecent(path);
    };
    connect(recent_, &QListWidget::itemActivated, this, openItem);
    connect(recent_, &QListWidget::itemClicked, this, openItem);

    auto* column = new QVBoxLayout;
    column->addWidget(title);
    column->addWidget(words);
    column->addSpacing(12);
    column->addLayout(buttons);
    column->addSpacing(12);
    column->addWidget(heading);
    column->addWidget(recent_, 1);
    column->addWidget(noRecent_);
    column->addStretch(); // without a list the rest stays together at the top
    auto* outer = new QHBoxLayout(this);
    outer->addStretch(1);
    outer->addLayout(column, 4);
    outer->addStretch(1);

    // The page and the map's area take turns in the middle of the window.
    stack_ = new QStackedWidget(&window);
    stack_->addWidget(this);
    stack_->addWidget(window.takeCentralWidget());
    window.setCentralWidget(stack_);
    connect(window.recentFiles(), &RecentFiles::changed, this, &StartPage::showRecent);
    connect(window.workspace(), &AreaWorkspace::areaShown, this, &StartPage::follow);
    showRecent();
    follow();
}

void StartPage::showRecent()
{
    recent_->clear();
    for (const QString& path : window_.recentFiles()->files()) {
        const QFileInfo info(path);
        auto* item = new QListWidgetItem(QStringLiteral("%1  (%2)").arg(info.fileName(), QDir::toNativeSeparators(info.absolutePath())), recent_);
        item->setData(Qt::UserRole, path);
        item->setToolTip(QDir::toNativeSeparators(path));
    }
    recent_->setVisible(recent_->count() > 0);
    noRecent_->setVisible(recent_->count() == 0);
}

void StartPage::follow()
{
    stack_->setCurrentIndex(window_.document().romLoaded() ? 1 : 0);
}

void StartPage::openDemo()
{
    const QString path = defaultDemoPath();
    if (!openDemoImage(window_, path))
        dialogs_.showMessage(&window_, QStringLiteral("Cannot write the demo image to %1.").arg(QDir::toNativeSeparators(path)));
}

} // namespace quarry::ui

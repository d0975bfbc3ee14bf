#include "ui/editors/PaletteEditor.h"

#include "core/gfx/NesColor.h"
#include "core/session/Document.h"
#include "core/session/LoadedArea.h"
#include "ui/ActionGuard.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"
#include "ui/editors/EditorTexts.h"
#include "ui/editors/Swatch.h"

#include <QCheckBox>
#include <QFrame>

#include <algorithm>

namespace quarry::ui {

namespace {

// The window's geometry in pixels.
constexpr int kCellSize = 17;
constexpr int kMasterPitch = 24;
constexpr int kMasterLeft = 8;
constexpr int kMasterTop = 8;
constexpr int kEntryPitch = 16;
constexpr int kGroupLefts[4] = {32, 120, 208, 296};
constexpr int kEntryRows[2] = {152, 184};
constexpr int kSelectorSize = 21;
constexpr int kCheckTop = 110;
constexpr int kMonochromeLeft = 56;
constexpr int kEmphasisLefts[3] = {230, 246, 262}; // blue, green, red
constexpr QSize kWindowSize(400, 212);

QRect masterRect(int index)
{
    return QRect(kMasterLeft + (index % 16) * kMasterPitch, kMasterTop + (index / 16) * kMasterPitch, kCellSize,
                 kCellSize);
}

QRect entryRect(int index)
{
    const int column = index % 16;
    return QRect(kGroupLefts[column / 4] + (column % 4) * kEntryPitch, kEntryRows[index / 16], kCellSize, kCellSize);
}

} // namespace

PaletteEditor::PaletteEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : EditorWindow(document, dialogs, parent)
{
    setObjectName(QStringLiteral("frmPaletteEdit"));
    setWindowTitle(QString::fromLatin1(texts::palette::kCaption));
    setFixedSize(kWindowSize);

    QFont cellFont = font();
    cellFont.setPixelSize(9);

    // The selector lies under the cells, so only its 2-pixel rim shows.
    selector_ = new QFrame(this);
    selector_->setObjectName(QStringLiteral("lblSelector"));
    selector_->setAutoFillBackground(true);
    QPalette selectorPalette = selector_->palette();
    selectorPalette.setColor(QPalette::Window, palette().color(QPalette::WindowText));
    selector_->setPalette(selectorPalette);

    for (int i = 0; i < gfx::kMasterColors; ++i) {
        auto* cell = new Swatch(this);
        cell->setObjectName(QStringLiteral("lblnespal%1").arg(i));
        cell->setGeometry(masterRect(i));
        cell->setFont(cellFont);
        connect(cell, &Swatch::pressed, this, [this, i] { clickMasterColor(i); });
        master_[static_cast<std::size_t>(i)] = cell;
    }
    for (int i = 0; i < 32; ++i) {
        auto* cell = new Swatch(this);
        cell->setObjectName(QStringLiteral("lblPal%1").arg(i));
        cell->setGeometry(entryRect(i));
        cell->setFont(cellFont);
        connect(cell, &Swatch::pressed, this, [this, i] { clickPaletteEntry(i); });
        entries_[static_cast<std::size_t>(i)] = cell;
    }

    monochrome_ = new QCheckBox(QString::fromLatin1(texts::palette::kMonochrome), this);
    monochrome_->setObjectName(QStringLiteral("chkMonochrome"));
    blue_ = new QCheckBox(this);
    blue_->setObjectName(QStringLiteral("chkIntBlue"));
    blue_->setToolTip(QString::fromLatin1(texts::palette::kTipBlue));
    green_ = new QCheckBox(this);
    green_->setObjectName(QStringLiteral("chkIntGreen"));
    green_->setToolTip(QString::fromLatin1(texts::palette::kTipGreen));
    // Only the rightmost box has a caption; it names the group.
    red_ = new QCheckBox(QString::fromLatin1(texts::palette::kEmphasis), this);
    red_->setObjectName(QStringLiteral("chkIntRed"));
    red_->setToolTip(QString::fromLatin1(texts::palette::kTipRed));
    // The three boxes share one row height, so their squares line up.
    red_->adjustSize();
    const int rowHeight = std::max(red_->height(), monochrome_->sizeHint().height());
    monochrome_->setGeometry(kMonochromeLeft, kCheckTop, monochrome_->sizeHint().width(), rowHeight);
    red_->setGeometry(kEmphasisLefts[2], kCheckTop, red_->width(), rowHeight);
    blue_->setGeometry(kEmphasisLefts[0], kCheckTop, kEmphasisLefts[1] - kEmphasisLefts[0], rowHeight);
    green_->setGeometry(kEmphasisLefts[1], kCheckTop, kEmphasisLefts[2] - kEmphasisLefts[1], rowHeight);
    for (QCheckBox* box : {monochrome_, blue_, green_, red_})
        connect(box, &QCheckBox::clicked, this, [this] {
            refreshSwatches();
            writeSettings("Write colour settings");
        });

    initEditor(editPalette_, 0, {});
    setEditing(false);
}

bool PaletteEditor::setUpFor(const session::LoadedArea* area)
{
    // Opened again while open: the closing writes of the last binding first.
    if (isEditing())
        finishEditing();
    initEditor(area->palette, area->pointers.palettePointer, area->mask);
    return true;
}

void PaletteEditor::initEditor(const gfx::AreaPalette& palette, std::uint16_t palettePointer,
                               const gfx::PpuMaskSettings& mask)
{
    editPalette_ = palette;
    palettePointer_ = palettePointer;
    monochrome_->setChecked((mask.greyscale & 1) != 0);
    blue_->setChecked(mask.emphasisBlue());
    green_->setChecked(mask.emphasisGreen());
    red_->setChecked(mask.emphasisRed());
    // The selector starts on colour 00, and so does the colour it stands for.
    clickMasterColor(0);
    refreshSwatches();
    setEditing(true);
}

int PaletteEditor::emphasisFromChecks() const
{
    return (red_->isChecked() ? 1 : 0) + (green_->isChecked() ? 2 : 0) + (blue_->isChecked() ? 4 : 0);
}

void PaletteEditor::captionCell(Swatch* cell, std::uint8_t value, const QString& caption, bool greyscale,
                                int emphasis)
{
    cell->setColor(gfx::nesColorToRgb(value, greyscale, emphasis));
    cell->setText(caption);
    const QColor window = palette().color(QPalette::Window);
    const QColor text = palette().color(QPalette::WindowText);
    const bool dark = gfx::isDarkColor(value);
    cell->setCaptionColor(readableCaption(cell->color(), dark ? window : text, dark ? text : window));
}

void PaletteEditor::showEntry(int index, bool greyscale, int emphasis)
{
    const std::uint8_t value = editPalette_[static_cast<std::size_t>(index)];
    captionCell(entries_[static_cast<std::size_t>(index)], value, hexNumber(value), greyscale,
                emphasis);
}

void PaletteEditor::refreshSwatches()
{
    const bool greyscale = monochrome_->isChecked();
    const int emphasis = emphasisFromChecks();
    for (int i = 0; i < gfx::kMasterColors; ++i)
        captionCell(master_[static_cast<std::size_t>(i)], static_cast<std::uint8_t>(i), hexByte(i), greyscale,
                    emphasis);
    for (int i = 0; i < 32; ++i)
        showEntry(i, greyscale, emphasis);
}

void PaletteEditor::clickMasterColor(int index)
{
    if (index < 0 || index >= gfx::kMasterColors)
        return;
    const QRect cell = masterRect(index);
    selector_->setGeometry(cell.left() - 2, cell.top() - 2, kSelectorSize, kSelectorSize);
    selector_->lower();
    selectedColor_ = index;
}

void PaletteEditor::clickPaletteEntry(int index)
{
    if (index < 0 || index > 31)
        return;
    const auto entry = static_cast<std::size_t>(index);
    editPalette_[entry] = static_cast<std::uint8_t>(selectedColor_);
    showEntry(index, monochrome_->isChecked(), emphasisFromChecks());
    // Entries 16-23 change here too, but are never written to the image.
    if (!isEditing() || (entry >= gfx::kFixedSpriteEntriesFirst
                         && entry < gfx::kFixedSpriteEntriesFirst + gfx::kFixedSpriteEntriesCount))
        return;
    runGuarded(dialogs_, this, [&] {
        // Only this entry changes: the others are written as the image
        // holds them, whatever this window showed.
        gfx::AreaPalette current = editPalette_;
        gfx::readAreaPalette(document_.document().rom(), palettePointer_, current);
        current[entry] = static_cast<std::uint8_t>(selectedColor_);
        session::Document::EditScope scope(document_.document(),
                                           QStringLiteral("Set palette entry %1").arg(hexByte(index)).toStdString(),
                                           0);
        document_.document().writeAreaPalette(palettePointer_, current);
    });
}

gfx::PpuMaskSettings PaletteEditor::settingsFromChecks() const
{
    return gfx::PpuMaskSettings::from(monochrome_->isChecked(), emphasisFromChecks());
}

void PaletteEditor::writeSettings(const char* stepName)
{
    if (!isEditing())
        return;
    runGuarded(dialogs_, this, [&] {
        session::Document::EditScope scope(document_.document(), stepName, 0);
        document_.document().writePpuMask(settingsFromChecks());
    });
}

bool PaletteEditor::finishPending()
{
    // The palette is in the image already; the mask is written once more,
    // so its show bits are set even when no box was clicked.
    writeSettings("Write colour settings");
    return true;
}

void PaletteEditor::imageChanged(const session::Change& change)
{
    if (change.touches(session::kPaletteChanged | session::kMaskChanged))
        reloadFromImage();
}

void PaletteEditor::reloadFromImage()
{
    if (!isEditing())
        return;
    gfx::AreaPalette palette = editPalette_;
    runGuarded(dialogs_, this, [&] { gfx::readAreaPalette(document_.document().rom(), palettePointer_, palette); });
    const int selected = selectedColor_;
    initEditor(palette, palettePointer_, gfx::readPpuMask(document_.document().rom()));
    clickMasterColor(selected);
}

} // namespace quarry::ui

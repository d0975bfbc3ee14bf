#include "ui/editors/GlobalProperties.h"

#include "core/session/Document.h"
#include "core/text/TextCodec.h"
#include "ui/ActionGuard.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

// The window's own words.
constexpr const char* kCaption = "Global Properties";
constexpr const char* kFerryman = "Ferryman";
constexpr const char* kItem = "Item:";
constexpr const char* kText = "Text:";
constexpr const char* kAltText = "Alternative text:";
constexpr const char* kApply = "Apply";
constexpr const char* kNotInList = "%1 (not in list)";
constexpr const char* kUnreadable = "(cannot be read)";

// Selects the entry whose data is `value`; a value no entry has is added at
// the end as its hex value "(not in list)", so it is shown and kept.
void selectValue(QComboBox* combo, int value)
{
    int found = combo->findData(value);
    if (found < 0) {
        combo->addItem(QString::fromLatin1(kNotInList)
                           .arg(hexByte(value)),
                       value);
        found = combo->count() - 1;
    }
    combo->setCurrentIndex(found);
}

std::uint8_t valueOf(const QComboBox* combo)
{
    return static_cast<std::uint8_t>(combo->currentData().toInt());
}

} // namespace

GlobalProperties::GlobalProperties(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : EditorWindow(document, dialogs, parent)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setObjectName(QStringLiteral("frmGlobalProp"));
    auto* frame = new QGroupBox(QString::fromLatin1(kFerryman), this);
    frame->setObjectName(QStringLiteral("frmFerryman"));
    item_ = new QComboBox(frame);
    item_->setObjectName(QStringLiteral("cmbFerryObject"));
    text_ = new QComboBox(frame);
    text_->setObjectName(QStringLiteral("cmbFerryTxt"));
    alt_ = new QComboBox(frame);
    alt_->setObjectName(QStringLiteral("cmbFerryTxt_Alt"));
    for (QComboBox* combo : {text_, alt_}) {
        combo->setMinimumContentsLength(32);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    auto* form = new QFormLayout(frame);
    form->addRow(QString::fromLatin1(kItem), item_);
    form->addRow(QString::fromLatin1(kText), text_);
    form->addRow(QString::fromLatin1(kAltText), alt_);

    apply_ = new QPushButton(QString::fromLatin1(kApply), this);
    connect(apply_, &QPushButton::clicked, this, &GlobalProperties::apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(makeCloseButton());
    layout->addLayout(buttons);
}

bool GlobalProperties::setUpFor(const session::LoadedArea*)
{
    setupEditor();
    setEditing(true);
    return true;
}

void GlobalProperties::imageChanged(const session::Change& change)
{
    if (change.touches(session::kSettingsChanged | session::kTextsChanged))
        runGuarded(dialogs_, this, [this] { setupEditor(); });
}

void GlobalProperties::setupEditor()
{
    const world::FerrymanSettings settings = document_.document().ferryman();
    const rom::SideData& side = document_.document().sideData();

    item_->clear();
    // The item is one byte: names past the 256th could never be chosen.
    for (std::size_t i = 0; i < side.partNames.size() && i < 256; ++i)
        item_->addItem(QString::fromStdString(side.partNames[i]), static_cast<int>(i));
    selectValue(item_, settings.item);

    text_->clear();
    alt_->clear();
    for (int n = 0; n < static_cast<int>(ferryTexts_.size()); ++n) {
        try {
            ferryTexts_[static_cast<std::size_t>(n)] = text::decodeText(document_.document().rom(), n, side.charTable);
        } catch (const std::exception&) {
            ferryTexts_[static_cast<std::size_t>(n)] = kUnreadable;
        }
        const QString line = QString::fromStdString(text::textListLine(n, ferryTexts_[static_cast<std::size_t>(n)]));
        text_->addItem(line, n);
        alt_->addItem(line, n);
    }
    selectValue(text_, settings.text);
    selectValue(alt_, settings.altText);
}

world::FerrymanSettings GlobalProperties::chosen() const
{
    return {valueOf(item_), valueOf(text_), valueOf(alt_)};
}

void GlobalProperties::apply()
{
    if (item_->count() == 0)
        return; // nothing was read yet
    runGuarded(dialogs_, this, [this] { document_.document().setFerryman(chosen()); });
}

} // namespace quarry::ui

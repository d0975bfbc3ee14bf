#include "ui/editors/TextEditor.h"

#include "core/session/Document.h"
#include "core/text/TextCodec.h"
#include "ui/ActionGuard.h"
#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/RomDocument.h"

#include <QBrush>
#include <QKeyEvent>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace quarry::ui {

namespace {

// The text editor's own words, in one place so they are easy to check.
namespace words {
constexpr const char* kCaption = "Text Editor";
// The bytes of the text block the edited texts use, and what is left.
constexpr const char* kUsage = "Text block: %1 of %2 bytes used, %3 free";
constexpr const char* kUsageOver = "Text block: %1 of %2 bytes used, %3 over";
constexpr const char* kNotWritten =
    "Not written: the texts are %1 over the text block. Shorten them and the change is written.";
constexpr const char* kNotWrittenOther = "Not written: the image refused the texts.";
constexpr const char* kNotWrittenTip = "Not written to the image yet: the texts do not fit in the text block.";
constexpr const char* kNotInTable = "Not in the table (stored as spaces): %1";
constexpr const char* kDropOnClose =
    "The last changes do not fit in the text block (%1 over) and are not written.\n"
    "Close the text editor and drop them?";
constexpr const char* kDropOnReread =
    "The last changes do not fit in the text block (%1 over) and are not written.\n"
    "Drop them and read the texts from the image again?";
constexpr const char* kSaveWritten = "String %1 does not fit: %2 over. Save what is written?";
constexpr const char* kImageChanged =
    "The texts in the image changed since the text editor read them; nothing was written.\n"
    "The texts are read again.";
} // namespace words

QString bytesText(std::size_t count)
{
    return count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
}

QString listLine(int n, const std::string& text)
{
    return QString::fromUtf8(text::textListLine(n, text));
}

} // namespace

TextEditor::TextEditor(RomDocument& document, Dialogs& dialogs, QWidget* parent)
    : EditorWindow(document, dialogs, parent)
{
    setWindowTitle(QString::fromLatin1(words::kCaption));

    textList_ = new QListWidget(this);
    textList_->setSelectionMode(QAbstractItemView::SingleSelection);
    textBox_ = new QLineEdit(this);
    usageLabel_ = new QLabel(this);
    notWrittenLabel_ = new QLabel(this);
    notWrittenLabel_->setWordWrap(true);
    notWrittenLabel_->setStyleSheet(QStringLiteral("color: #b00000"));
    missingLabel_ = new QLabel(this);
    missingLabel_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textList_, 1);
    layout->addWidget(textBox_);
    layout->addWidget(usageLabel_);
    layout->addWidget(notWrittenLabel_);
    layout->addWidget(missingLabel_);
    resize(520, 400);

    connect(textList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            selectText(row);
    });
    connect(textBox_, &QLineEdit::textChanged, this, &TextEditor::textEdited);
    textBox_->installEventFilter(this);
}

bool TextEditor::setUpFor(const session::LoadedArea*)
{
    const bool set = setupEditor();
    setEditing(loaded_);
    return set || hasUnwrittenChanges();
}

bool TextEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == textBox_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool undo = key->matches(QKeySequence::Undo);
        const bool redo = key->matches(QKeySequence::Redo);
        if (undo || redo) {
            // Taken from the box, so the document's step is taken back and
            // the string is read again from the image.
            if (event->type() == QEvent::KeyPress) {
                if (undo)
                    document_.undo();
                else
                    document_.redo();
            }
            event->accept();
            return event->type() == QEvent::KeyPress;
        }
    }
    return EditorWindow::eventFilter(watched, event);
}

void TextEditor::imageChanged(const session::Change& change)
{
    if (committing_ || !change.touches(session::kTextsChanged))
        return;
    reloadFromImage();
}

bool TextEditor::setupEditor()
{
    if (hasUnwrittenChanges()
        && !dialogs_.askYesNo(this, QString::fromLatin1(words::kDropOnReread).arg(bytesText(bytesOver()))))
        return false;
    text::Texts texts;
    const bool read = runGuarded(dialogs_, this, [&] {
        document_.document().textBlock(); // a block that could not be measured cannot be edited
        texts = document_.document().decodeTexts();
    });
    if (!read)
        return false;

    filling_ = true;
    editTexts_ = texts;
    imageTexts_ = texts;
    unwritten_.clear();
    loaded_ = true;
    textList_->clear();
    textBox_->clear();
    for (int n = 0; n < layout::kTextCount; ++n)
        textList_->addItem(listLine(n, editTexts_[static_cast<std::size_t>(n)]));
    filling_ = false;
    editIndex_ = -1;
    textList_->setCurrentRow(0);
    refreshUsage();
    return true;
}

void TextEditor::reloadFromImage()
{
    if (!loaded_)
        return;
    const int index = editIndex_;
    if (setupEditor() && index > 0)
        textList_->setCurrentRow(index);
}

void TextEditor::selectText(int index)
{
    if (!loaded_ || index < 0 || index >= layout::kTextCount || index == editIndex_)
        return;
    editIndex_ = index;
    // Showing a string changes the box but not the string, so it writes
    // nothing: textEdited sees the same text.
    textBox_->setText(QString::fromUtf8(editTexts_[static_cast<std::size_t>(index)]));
    refreshMissing();
}

void TextEditor::textEdited(const QString& text)
{
    if (filling_ || !loaded_ || editIndex_ < 0)
        return;
    auto& current = editTexts_[static_cast<std::size_t>(editIndex_)];
    if (text == QString::fromUtf8(current)) {
        refreshMissing();
        return;
    }
    current = text.toStdString();
    unwritten_.insert(editIndex_);
    refreshLine(editIndex_);
    commit();
    refreshMissing();
}

void TextEditor::commit()
{
    runGuarded(dialogs_, this, [this] {
        if (imageChangedElsewhere()) {
            dialogs_.showMessage(this, QString::fromLatin1(words::kImageChanged));
            unwritten_.clear();
            setupEditor();
            return;
        }
        try {
            committing_ = true;
            document_.document().commitTexts(editTexts_);
            committing_ = false;
        } catch (const text::TextBlockFull&) {
            committing_ = false;
            return; // kept in the box and the list, marked below
        } catch (...) {
            committing_ = false;
            throw;
        }
        imageTexts_ = document_.document().decodeTexts();
        const std::set<int> written = std::move(unwritten_);
        unwritten_.clear();
        for (int n : written)
            refreshLine(n);
    });
    refreshUsage();
}

std::size_t TextEditor::bytesOver() const
{
    try {
        return document_.document().textBlock().usage(editTexts_, document_.document().sideData().charTable).bytesOver();
    } catch (const std::exception&) {
        return 0;
    }
}

bool TextEditor::imageChangedElsewhere() const
{
    return document_.document().decodeTexts() != imageTexts_;
}

void TextEditor::refreshLine(int index)
{
    QListWidgetItem* item = textList_->item(index);
    if (!item)
        return;
    const bool notWritten = unwritten_.count(index) != 0;
    // A string not written shows in the list as the image holds it; the box
    // keeps what was typed.
    const auto n = static_cast<std::size_t>(index);
    item->setText(listLine(index, notWritten && n < imageTexts_.size() ? imageTexts_[n] : editTexts_[n]));
    item->setForeground(notWritten ? QBrush(QColor(0xb0, 0, 0)) : QBrush());
    item->setToolTip(notWritten ? QString::fromLatin1(words::kNotWrittenTip) : QString());
}

void TextEditor::refreshUsage()
{
    text::TextUsage usage;
    try {
        usage = document_.document().textBlock().usage(editTexts_, document_.document().sideData().charTable);
    } catch (const std::exception& error) {
        usageLabel_->setText(QString::fromUtf8(error.what()));
        return;
    }
    if (usage.fits())
        usageLabel_->setText(QString::fromLatin1(words::kUsage).arg(usage.used).arg(usage.capacity).arg(usage.freeBytes()));
    else
        usageLabel_->setText(
            QString::fromLatin1(words::kUsageOver).arg(usage.used).arg(usage.capacity).arg(usage.bytesOver()));

    if (hasUnwrittenChanges()) {
        // A change can also be refused for another reason, already reported.
        notWrittenLabel_->setText(usage.fits() ? QString::fromLatin1(words::kNotWrittenOther)
                                               : QString::fromLatin1(words::kNotWritten).arg(bytesText(usage.bytesOver())));
        notWrittenLabel_->show();
    } else {
        notWrittenLabel_->clear();
        notWrittenLabel_->hide();
    }
    for (int n : unwritten_)
        refreshLine(n);
}

void TextEditor::refreshMissing()
{
    if (!loaded_ || editIndex_ < 0) {
        missingLabel_->clear();
        missingLabel_->hide();
        return;
    }
    const std::vector<std::string> missing =
        text::charactersNotInTable(editTexts_[static_cast<std::size_t>(editIndex_)], document_.document().sideData().charTable);
    if (missing.empty()) {
        missingLabel_->clear();
        missingLabel_->hide();
        return;
    }
    QStringList characters;
    for (const std::string& character : missing)
        characters << QString::fromUtf8(character);
    missingLabel_->setText(QString::fromLatin1(words::kNotInTable).arg(characters.join(' ')));
    missingLabel_->show();
}

QString TextEditor::unwrittenQuestion() const
{
    if (!loaded_ || unwritten_.empty())
        return {};
    const QString number = hexByte(*unwritten_.begin());
    return QString::fromLatin1(words::kSaveWritten).arg(number, bytesText(bytesOver()));
}

bool TextEditor::finishEditing()
{
    if (!finishPending())
        return false;
    loaded_ = false;
    return true;
}

bool TextEditor::finishPending()
{
    // Closing writes the texts once more. Every accepted change is already
    // in the image, so only a change that did not fit is tried again.
    if (loaded_ && hasUnwrittenChanges()) {
        commit();
        if (hasUnwrittenChanges()) {
            if (!dialogs_.askYesNo(this, QString::fromLatin1(words::kDropOnClose).arg(bytesText(bytesOver()))))
                return false;
            unwritten_.clear();
        }
    }
    return true;
}

} // namespace quarry::ui

#include "ui/UndoHistory.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <exception>

namespace quarry::ui {

// One entry of the document on the stack. It was applied when it was made,
// so the push's first redo() writes nothing.
class ImageEditCommand final : public QUndoCommand {
public:
    ImageEditCommand(UndoHistory& history, session::EditEntry entry) : history_(history), entry_(std::move(entry))
    {
        setText(QString::fromStdString(entry_.name));
    }

    void undo() override { history_.apply(entry_, false); }
    void redo() override
    {
        if (applied_) {
            applied_ = false;
            return;
        }
        history_.apply(entry_, true);
    }
    int id() const override { return entry_.mergeId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = dynamic_cast<const ImageEditCommand*>(other);
        if (history_.adopting_ || !later || later->entry_.mergeId != entry_.mergeId)
            return false;
        entry_.absorb(later->entry_);
        history_.merged_ = true;
        return true;
    }
    const session::EditEntry& entry() const { return entry_; }

private:
    UndoHistory& history_;
    session::EditEntry entry_;
    bool applied_ = true;
};

UndoHistory::UndoHistory(session::Document& document, QObject* parent)
    : QObject(parent), document_(document), stack_(new QUndoStack(this))
{
    document_.setEditListener([this](session::EditEntry entry) {
        merged_ = false;
        auto* command = new ImageEditCommand(*this, std::move(entry));
        const session::EditEntry copy = command->entry(); // the command may be merged away
        // The stack settles inside push(); listeners hear of the step first.
        pushing_ = true;
        stack_->push(command);
        pushing_ = false;
        emit stepTaken(merged_ ? session::JournalStep::Merge : session::JournalStep::Do, copy);
        emit settled();
    });
    connect(stack_, &QUndoStack::cleanChanged, this, [this](bool clean) { emit modifiedChanged(!clean); });
    // indexChanged comes once the stack has moved, after every step of a
    // jump through the history.
    connect(stack_, &QUndoStack::indexChanged, this, &UndoHistory::settle);
}

UndoHistory::~UndoHistory()
{
    // The stack's own destruction must not reach listeners that are going
    // away with it (the main window's caption and actions).
    stack_->blockSignals(true);
    document_.setEditListener({});
}

bool UndoHistory::isModified() const
{
    return !stack_->isClean();
}

void UndoHistory::markSaved()
{
    stack_->setClean();
}

void UndoHistory::clear()
{
    stack_->clear();
}

session::JournalHistory UndoHistory::snapshot() const
{
    session::JournalHistory history;
    for (int n = 0; n < stack_->count(); ++n)
        if (const auto* command = dynamic_cast<const ImageEditCommand*>(stack_->command(n)))
            history.steps.push_back(command->entry());
    history.index = static_cast<std::size_t>(stack_->index());
    if (stack_->cleanIndex() >= 0)
        history.clean = static_cast<std::size_t>(stack_->cleanIndex());
    return history;
}

void UndoHistory::adopt(const session::JournalHistory& history)
{
    // Every step goes on as already applied; moving the position writes
    // nothing while adopting.
    adopting_ = true;
    stack_->clear();
    for (const session::EditEntry& step : history.steps) {
        auto* command = new ImageEditCommand(*this, step);
        stack_->push(command);
    }
    if (history.clean) {
        stack_->setIndex(static_cast<int>(*history.clean));
        stack_->setClean();
    } else {
        stack_->resetClean();
    }
    stack_->setIndex(static_cast<int>(history.index));
    adopting_ = false;
    emit modifiedChanged(isModified());
}

void UndoHistory::apply(const session::EditEntry& entry, bool forward)
{
    if (adopting_)
        return;
    emit stepTaken(forward ? session::JournalStep::Redo : session::JournalStep::Undo, entry);
    session::Document::Restored result;
    try {
        result = forward ? document_.redo(entry) : document_.undo(entry);
    } catch (const std::exception& error) {
        result.problem = error.what();
    }
    pending_ = true;
    if (!result.areaReloaded)
        result_.areaReloaded = false;
    if (!result.problem.empty())
        result_.problem = result.problem;
    // A jump through several steps shows where the last one happened.
    result_.name = result.name.empty() ? entry.name : result.name;
    result_.area = result.area;
    result_.undone = !forward;
}

void UndoHistory::settle()
{
    if (adopting_)
        return;
    if (!pushing_)
        emit settled();
    if (!pending_)
        return;
    const session::Document::Restored result = result_;
    pending_ = false;
    result_ = {};
    emit restored(result);
}

} // namespace quarry::ui

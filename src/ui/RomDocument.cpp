#include "ui/RomDocument.h"

#include "ui/GestureGuard.h"
#include "ui/UndoHistory.h"
#include "ui/map/SharedConsent.h"

#include <QUndoStack>

namespace quarry::ui {

RomDocument::RomDocument(session::Document& document, QObject* parent)
    : QObject(parent), document_(document), history_(new UndoHistory(document, this)),
      gestures_(new GestureGuard(document, this))
{
    document_.setChangeListener([this](const session::Change& change) {
        gestureWrote_ = gestureWrote_ || (document_.gestureOpen() && change.origin == session::Change::Origin::Edit);
        emit changed(change);
    });
}

RomDocument::~RomDocument()
{
    document_.setChangeListener({});
}

void RomDocument::beginGesture(const QString& name, QWidget* owner, std::function<void()> cut)
{
    gestures_->begin(owner, name, std::move(cut));
    gestureWrote_ = false;
}

void RomDocument::endGesture()
{
    gestures_->end();
}

bool RomDocument::gestureChanged() const
{
    return gestureWrote_ && document_.gestureOpen();
}

void RomDocument::notePendingWrite()
{
    gestureWrote_ = gestureWrote_ || document_.gestureOpen();
    emit pendingWrite();
}

bool RomDocument::mayWriteScreens(const std::set<int>& positions, bool* asked)
{
    return !consent_ || consent_->mayWrite(positions, asked);
}

bool RomDocument::mayChangePointers()
{
    return !consent_ || consent_->mayChangePointers();
}

void RomDocument::undo()
{
    gestures_->interrupt();
    history_->stack()->undo();
}

void RomDocument::redo()
{
    gestures_->interrupt();
    history_->stack()->redo();
}

} // namespace quarry::ui

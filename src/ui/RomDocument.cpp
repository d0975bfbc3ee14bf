#include "ui/RomDocument.h"

#include "ui/UndoHistory.h"

#include <QUndoStack>

namespace quarry::ui {

RomDocument::RomDocument(session::Document& document, QObject* parent)
    : QObject(parent), document_(document), history_(new UndoHistory(document, this))
{
    document_.setChangeListener([this](const session::Change& change) { emit changed(change); });
}

RomDocument::~RomDocument()
{
    document_.setChangeListener({});
}

void RomDocument::beginGesture(const QString& name)
{
    document_.beginGesture(name.toStdString());
}

void RomDocument::endGesture()
{
    document_.endGesture();
}

void RomDocument::undo()
{
    endGesture();
    history_->stack()->undo();
}

void RomDocument::redo()
{
    endGesture();
    history_->stack()->redo();
}

} // namespace quarry::ui

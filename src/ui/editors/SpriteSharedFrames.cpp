// The sprite editor's question before an edit changes other frames too.
#include "ui/editors/SpriteEditor.h"

#include "ui/Dialogs.h"
#include "ui/HexText.h"
#include "ui/editors/EditorTexts.h"

namespace quarry::ui {

namespace {

// Frames whose picture an edit of the current frame changes with it: those
// sharing its data, and, for an edit of the layout, those sharing that.
std::set<int> sharers(const sprites::FrameSprites& frame, bool layoutPart)
{
    std::set<int> others(frame.sameData.begin(), frame.sameData.end());
    if (layoutPart)
        others.insert(frame.sameLayout.begin(), frame.sameLayout.end());
    return others;
}

} // namespace

std::set<int> SpriteEditor::unapprovedSharers(bool layoutPart) const
{
    std::set<int> others = sharers(frameSprites_, layoutPart);
    if (const auto approved = sharedApproved_.find(currentFrame_); approved != sharedApproved_.end())
        for (int frame : approved->second)
            others.erase(frame);
    return others;
}

bool SpriteEditor::mayChangeShared(bool layoutPart)
{
    if (unapprovedSharers(layoutPart).empty())
        return true;
    // The question names every frame the edit changes; the approval covers
    // exactly those, so an edit reaching further asks again.
    const std::set<int> others = sharers(frameSprites_, layoutPart);
    const QString text = QString::fromLatin1(texts::sprite::kAskChangeShared)
                             .arg(hexByte(currentFrame_),
                                  QString::fromStdString(sprites::frameNumberList({others.begin(), others.end()})));
    if (!dialogs_.askChangeShared(this, text, false).change)
        return false;
    sharedApproved_[currentFrame_].insert(others.begin(), others.end());
    return true;
}

} // namespace quarry::ui

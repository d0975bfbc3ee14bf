#pragma once

#include "core/rom/AreaDirectory.h"
#include "core/session/MapBlocks.h"

#include <QObject>

#include <optional>
#include <set>
#include <vector>

class QWidget;

namespace quarry::ui {

class Dialogs;
class RomDocument;
class SharedScreensLayer;

// Asks before a map edit first writes into a screen that shows elsewhere:
// "This screen also shows in: ... Change it everywhere?". A screen once
// approved is not asked about again until another submap is loaded; "Don't
// ask again for this image" lasts until the image is closed, and the
// preference "Ask before changing data shown elsewhere" turned off asks
// never.
class SharedConsent : public QObject {
    Q_OBJECT

public:
    // The preference, read each time it matters.
    static constexpr const char* kAskSetting = "sharedData/askBeforeChanging";

    SharedConsent(RomDocument& document, Dialogs& dialogs, SharedScreensLayer& shared, QWidget* parent);

    // True when a write into these screen positions of the loaded map may
    // go ahead (asking when one of them shows elsewhere and is not yet
    // approved); false for Cancel.
    bool mayWrite(const std::set<int>& positions, bool* asked = nullptr);
    // Before a screen pointer edit: true unless other submaps name this map
    // and the user cancelled.
    bool mayChangePointers();
    // A submap was loaded (again): its screens are asked about afresh.
    void areaShown() { area_.reset(); }
    // Another image was opened: everything is asked again.
    void imageOpened();

private:
    bool asking();
    bool ask(const QString& places);

    RomDocument& document_;
    Dialogs& dialogs_;
    SharedScreensLayer& shared_;
    QWidget* parent_;
    std::optional<rom::AreaId> area_; // the submap approvals belong to
    std::set<int> approved_;
    bool pointersApproved_ = false;
    bool dontAsk_ = false;
};

// The screen positions whose cells these placed cells would change.
std::set<int> screensChanged(const rom::AreaMap& map, const std::vector<session::PlacedCell>& cells);
// Those Erase Map changes.
std::set<int> screensErased(const rom::AreaMap& map);

} // namespace quarry::ui

#include "ui/map/SharedConsent.h"

#include "core/session/SharedScreens.h"
#include "ui/Dialogs.h"
#include "ui/RomDocument.h"
#include "ui/Settings.h"
#include "ui/Texts.h"
#include "ui/map/SharedScreensLayer.h"

#include <QStringList>
#include <QWidget>

namespace quarry::ui {

SharedConsent::SharedConsent(RomDocument& document, Dialogs& dialogs, SharedScreensLayer& shared, QWidget* parent)
    : QObject(parent), document_(document), dialogs_(dialogs), shared_(shared), parent_(parent)
{
    // Answers belong to the image they were given for.
    connect(&document_, &RomDocument::changed, this, [this](const session::Change& change) {
        if (change.origin == session::Change::Origin::Open)
            imageOpened();
    });
}

bool SharedConsent::asking()
{
    const session::LoadedArea* area = document_.document().area();
    if (!area)
        return false;
    if (!area_ || !(*area_ == area->id)) {
        area_ = area->id;
        approved_.clear();
        pointersApproved_ = false;
    }
    return !dontAsk_ && applicationSettings().value(QString::fromLatin1(kAskSetting), true).toBool();
}

bool SharedConsent::mayWrite(const std::set<int>& positions, bool* asked)
{
    if (asked)
        *asked = false;
    if (!asking())
        return true;
    std::set<int> unasked;
    QStringList places;
    for (int position : positions) {
        if (approved_.contains(position) || shared_.sharing().otherPlaces(position) == 0)
            continue;
        unasked.insert(position);
        if (places.size() < 2) // a fill may reach many: the first few say enough
            places << shared_.placesText(position);
    }
    if (unasked.empty())
        return true;
    if (unasked.size() > 2)
        places << QStringLiteral("%1 more screens").arg(unasked.size() - 2);
    if (asked)
        *asked = true;
    if (!ask(places.join(QStringLiteral("; "))))
        return false;
    approved_.insert(unasked.begin(), unasked.end());
    return true;
}

bool SharedConsent::mayChangePointers()
{
    if (!asking() || pointersApproved_)
        return true;
    QStringList submaps;
    for (const rom::AreaId& id : shared_.sharing().submapsShowing())
        submaps << QString::fromStdString(session::submapName(id));
    if (submaps.isEmpty())
        return true;
    return pointersApproved_ = ask(submaps.join(QStringLiteral("; ")));
}

bool SharedConsent::ask(const QString& places)
{
    const ChangeChoice choice =
        dialogs_.askChangeShared(parent_, QString::fromLatin1(texts::kChangeShared).arg(places), true);
    if (choice.change && choice.dontAskAgain)
        dontAsk_ = true;
    return choice.change;
}

std::set<int> screensChanged(const rom::AreaMap& map, const std::vector<session::PlacedCell>& cells)
{
    std::set<int> positions;
    for (const session::PlacedCell& placed : cells)
        if (session::metatileAt(map, placed.cell) != placed.metatile)
            positions.insert(session::screenPosition(map, placed.cell));
    return positions;
}

std::set<int> screensErased(const rom::AreaMap& map)
{
    const session::CellRect all = session::wholeMap(map);
    return screensChanged(map, session::placeBlock(map, {0, 0}, session::solidBlock(all.columns, all.rows, 0)));
}

void SharedConsent::imageOpened()
{
    area_.reset();
    approved_.clear();
    pointersApproved_ = false;
    dontAsk_ = false;
}

} // namespace quarry::ui

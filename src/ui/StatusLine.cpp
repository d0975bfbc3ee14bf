#include "ui/StatusLine.h"

#include "ui/AreaWorkspace.h"
#include "ui/RomDocument.h"

#include <QLabel>
#include <QPainter>
#include <QStatusBar>

namespace quarry::ui {

namespace {

// A one-line label that takes the width it is given rather than its text's:
// a long text ends in "..." instead of pushing its neighbours over.
class ShortenedLabel final : public QLabel {
public:
    explicit ShortenedLabel(QWidget* parent) : QLabel(parent)
    {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        setMinimumWidth(80);
    }
    QSize minimumSizeHint() const override { return {80, QLabel::minimumSizeHint().height()}; }
    void setWords(const QString& text)
    {
        setText(text);
        setToolTip(text);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QRect room = contentsRect().adjusted(margin(), 0, -margin(), 0);
        painter.drawText(room, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
    }
};

} // namespace

StatusLine::StatusLine(QStatusBar& bar, RomDocument& document, AreaWorkspace& workspace) : QObject(&bar)
{
    hover_ = new ShortenedLabel(&bar);
    hover_->setObjectName(QStringLiteral("statusHover"));
    bar.addWidget(hover_, 3);
    note_ = new ShortenedLabel(&bar);
    note_->setObjectName(QStringLiteral("statusNote"));
    note_->setFrameShape(QFrame::StyledPanel);
    bar.addWidget(note_, 2);
    // Words about an edit are given after the edit's change, so they stay.
    connect(&document, &RomDocument::changed, this, [this] { setNote({}); });
    connect(&workspace, &AreaWorkspace::areaShown, this, [this] { setNote({}); });
}

void StatusLine::setNote(const QString& text)
{
    static_cast<ShortenedLabel*>(note_)->setWords(text);
}

QString StatusLine::note() const
{
    return note_->text();
}

void StatusLine::setHover(const QString& text)
{
    static_cast<ShortenedLabel*>(hover_)->setWords(text);
}

QString StatusLine::hover() const
{
    return hover_->text();
}

} // namespace quarry::ui

#include "ui/map/MapView.h"

#include <QFrame>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace quarry::ui {

class MapView::Viewport final : public QWidget {
public:
    explicit Viewport(MapView& view) : QWidget(nullptr), view_(view)
    {
        setFixedSize(kViewWidth, kViewHeight);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setObjectName(QStringLiteral("mapViewport"));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect exposed = event->rect();
        painter.fillRect(exposed, palette().color(QPalette::Window));
        const QPoint offset = view_.scrollOffset();
        painter.translate(-offset);
        const QRect mapRect = exposed.translated(offset);

        const QRect source = mapRect.intersected(QRect(QPoint(0, 0), view_.pictureSize_));
        if (!source.isEmpty() && view_.source_)
            painter.drawImage(source.topLeft(), view_.source_(source));

        for (int array = 0; array < GridLines::kArrayCount; ++array) {
            for (const GridLines::Line& line : view_.grid_.lines(static_cast<GridLines::Array>(array))) {
                if (!line.visible)
                    continue;
                const QRect bounds = QRect(QPoint(line.x1, line.y1), QPoint(line.x2, line.y2)).normalized();
                if (!bounds.intersects(mapRect))
                    continue;
                painter.setPen(QColor(0, 0, line.blue));
                painter.drawLine(line.x1, line.y1, line.x2, line.y2);
            }
        }
        if (view_.overlay_) {
            painter.setClipRect(mapRect);
            view_.overlay_(painter);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint mapPixel = event->position().toPoint() + view_.scrollOffset();
        if (QRect(QPoint(0, 0), view_.pictureSize_).contains(mapPixel))
            emit view_.mapPressed(mapPixel, event->button());
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        emit view_.mapMoved(event->position().toPoint() + view_.scrollOffset());
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        emit view_.mapReleased(event->position().toPoint() + view_.scrollOffset(), event->button());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const QPoint mapPixel = event->position().toPoint() + view_.scrollOffset();
        if (QRect(QPoint(0, 0), view_.pictureSize_).contains(mapPixel))
            emit view_.mapDoubleClicked(mapPixel, event->button());
    }

private:
    MapView& view_;
};

MapView::MapView(QWidget* parent) : QWidget(parent)
{
    auto* frame = new QFrame(this); // picContainer: a one-pixel border around the viewport
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    auto* frameLayout = new QGridLayout(frame);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    viewport_ = new Viewport(*this);
    frameLayout->addWidget(viewport_);

    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_->setObjectName(QStringLiteral("hscrollRenderer"));
    vertical_->setObjectName(QStringLiteral("vscrollRenderer"));
    // The picture moves when a bar's value changes, not while a thumb is dragged.
    horizontal_->setTracking(false);
    vertical_->setTracking(false);
    horizontal_->setSingleStep(32);
    vertical_->setSingleStep(32);
    horizontal_->setPageStep(256);
    vertical_->setPageStep(224);
    connect(horizontal_, &QScrollBar::valueChanged, viewport_, qOverload<>(&QWidget::update));
    connect(vertical_, &QScrollBar::valueChanged, viewport_, qOverload<>(&QWidget::update));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(frame, 0, 0);
    layout->addWidget(vertical_, 0, 1);
    layout->addWidget(horizontal_, 1, 0);
    setupScrollBars(1, 1);
}

void MapView::setPicture(QSize size, PictureSource source)
{
    pictureSize_ = size;
    source_ = std::move(source);
    viewport_->update();
}

void MapView::setPicture(const QImage& picture)
{
    setPicture(picture.size(), [picture](const QRect& rect) { return picture.copy(rect); });
}

QImage MapView::picture() const
{
    if (pictureSize_.isEmpty() || !source_)
        return {};
    return source_(QRect(QPoint(0, 0), pictureSize_));
}

void MapView::setupScrollBars(int screensWide, int screensHigh)
{
    const struct {
        QScrollBar* bar;
        int screens;
        int screenSize;
    } bars[] = {{horizontal_, screensWide, 256}, {vertical_, screensHigh, 224}};
    for (const auto& entry : bars) {
        entry.bar->setValue(0);
        if (entry.screens < 3) {
            entry.bar->setRange(0, 0);
            entry.bar->setEnabled(false);
        } else {
            entry.bar->setRange(0, (entry.screens - 2) * entry.screenSize);
            entry.bar->setEnabled(true);
        }
    }
    viewport_->update();
}

void MapView::refreshGrid()
{
    viewport_->update();
}

void MapView::setOverlay(std::function<void(QPainter&)> overlay)
{
    overlay_ = std::move(overlay);
    viewport_->update();
}

QPoint MapView::scrollOffset() const
{
    return {horizontal_->value(), vertical_->value()};
}

} // namespace quarry::ui

namespace quarry::ui {

QWidget* MapView::viewport() const
{
    return viewport_;
}

} // namespace quarry::ui

#include "ui/map/MapView.h"

#include "core/rom/GameLayout.h"
#include "ui/map/MapZoom.h"

#include <QFrame>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace quarry::ui {

class MapView::Viewport final : public QWidget {
public:
    explicit Viewport(MapView& view) : QWidget(nullptr), view_(view)
    {
        setMinimumSize(kViewWidth, kViewHeight);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true); // for the hover information
        setObjectName(QStringLiteral("mapViewport"));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        const QRect exposed = event->rect();
        painter.fillRect(exposed, palette().color(QPalette::Window));
        const int factor = view_.zoom_;
        const QPoint scroll(view_.horizontal_->value(), view_.vertical_->value());
        painter.translate(-scroll);
        painter.scale(factor, factor);
        // The exposed rectangle in map pixels, widened to whole pixels.
        const QRect viewRect = exposed.translated(scroll);
        const QRect mapRect(QPoint(zoom::toMap(viewRect.left(), 0, factor), zoom::toMap(viewRect.top(), 0, factor)),
                            QPoint(zoom::toMap(viewRect.right(), 0, factor), zoom::toMap(viewRect.bottom(), 0, factor)));

        // Whole map pixels, drawn by the scaled painter without smoothing;
        // only the exposed part of the picture is ever asked for.
        const QRect source = mapRect.intersected(QRect(QPoint(0, 0), view_.pictureSize_));
        if (!source.isEmpty() && view_.source_)
            painter.drawImage(source.topLeft(), view_.source_(source));

        // Lines left over from a larger map, and the closing edge lines at
        // x = W x 256 and y = H x 224, lie outside the picture: not seen.
        painter.save();
        painter.setClipRect(QRect(QPoint(0, 0), view_.pictureSize_));
        for (int array = 0; array < GridLines::kArrayCount; ++array) {
            for (const GridLines::Line& line : view_.grid_.lines(static_cast<GridLines::Array>(array))) {
                if (!line.visible)
                    continue;
                const QRect bounds = QRect(QPoint(line.x1, line.y1), QPoint(line.x2, line.y2)).normalized();
                if (!bounds.intersects(mapRect.adjusted(-1, -1, 1, 1)))
                    continue;
                painter.setPen(QPen(QColor(0, 0, line.blue), 0)); // one view pixel at any zoom
                painter.drawLine(line.x1, line.y1, line.x2, line.y2);
            }
        }
        painter.restore();
        painter.setClipRect(mapRect);
        for (const auto& overlay : view_.overlays_) {
            if (!overlay)
                continue;
            painter.save();
            overlay(painter);
            painter.restore();
        }
    }

    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        view_.updateRanges();
    }

    void showEvent(QShowEvent* event) override
    {
        QWidget::showEvent(event);
        view_.updateRanges();
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint mapPixel = view_.toMapPixel(event->position());
        view_.pressModifiers_ = event->modifiers();
        if (QRect(QPoint(0, 0), view_.pictureSize_).contains(mapPixel))
            emit view_.mapPressed(mapPixel, event->button());
        else
            emit view_.besideMapPressed();
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint mapPixel = view_.toMapPixel(event->position());
        emit view_.mapHovered(mapPixel);
        if (event->buttons() != Qt::NoButton)
            emit view_.mapMoved(mapPixel);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        emit view_.mapReleased(view_.toMapPixel(event->position()), event->button());
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        const QPoint mapPixel = view_.toMapPixel(event->position());
        if (QRect(QPoint(0, 0), view_.pictureSize_).contains(mapPixel))
            emit view_.mapDoubleClicked(mapPixel, event->button());
    }

    void leaveEvent(QEvent* event) override
    {
        QWidget::leaveEvent(event);
        emit view_.hoverLeft();
    }

    void wheelEvent(QWheelEvent* event) override
    {
        const int steps = event->angleDelta().y() / 120;
        if (steps == 0) {
            event->ignore();
            return;
        }
        if (event->modifiers() & Qt::ControlModifier) {
            view_.setZoom(view_.zoom_ + steps, event->position().toPoint());
        } else {
            QScrollBar* bar = (event->modifiers() & Qt::ShiftModifier) ? view_.horizontal_ : view_.vertical_;
            bar->setValue(bar->value() - steps * bar->singleStep());
        }
        event->accept();
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

QSize MapView::visibleSize() const
{
    // Until it is shown the viewport has not been laid out: it counts as
    // the smallest view, two screens by two.
    const QSize smallest(kViewWidth, kViewHeight);
    return viewport_->isVisible() ? viewport_->size().expandedTo(smallest) : smallest;
}

void MapView::updateRanges()
{
    const QSize visible = visibleSize();
    const struct {
        QScrollBar* bar;
        int mapSize, visible, screenSize;
    } bars[] = {{horizontal_, screensWide_ * layout::kScreenWidth, visible.width(), layout::kScreenWidth},
                {vertical_, screensHigh_ * layout::kScreenHeight, visible.height(), layout::kScreenHeight}};
    for (const auto& entry : bars) {
        const int maximum = zoom::scrollMaximum(entry.mapSize, zoom_, entry.visible);
        entry.bar->setRange(0, maximum);
        entry.bar->setEnabled(maximum > 0);
        entry.bar->setSingleStep(layout::kMetatilePixels * zoom_);
        entry.bar->setPageStep(entry.screenSize * zoom_);
    }
}

void MapView::setupScrollBars(int screensWide, int screensHigh)
{
    screensWide_ = screensWide;
    screensHigh_ = screensHigh;
    horizontal_->setValue(0);
    vertical_->setValue(0);
    updateRanges();
    viewport_->update();
}

void MapView::refreshGrid()
{
    viewport_->update();
}

void MapView::setOverlay(OverlayLayer layer, std::function<void(QPainter&)> overlay)
{
    overlays_.at(static_cast<std::size_t>(layer)) = std::move(overlay);
    viewport_->update();
}

QPoint MapView::scrollOffset() const
{
    return toMapPixel(QPointF(0, 0));
}

QPoint MapView::toMapPixel(QPointF viewportPosition) const
{
    const QPoint at(static_cast<int>(std::floor(viewportPosition.x())), static_cast<int>(std::floor(viewportPosition.y())));
    return {zoom::toMap(at.x(), horizontal_->value(), zoom_), zoom::toMap(at.y(), vertical_->value(), zoom_)};
}

QPoint MapView::toViewport(QPoint mapPixel) const
{
    return mapPixel * zoom_ - QPoint(horizontal_->value(), vertical_->value());
}

void MapView::setZoom(int factor)
{
    const QSize visible = visibleSize();
    setZoom(factor, QPoint(visible.width() / 2, visible.height() / 2));
}

void MapView::setZoom(int factor, QPoint anchor)
{
    factor = zoom::clamp(factor);
    if (factor == zoom_)
        return;
    const double mapX = (anchor.x() + horizontal_->value()) / static_cast<double>(zoom_);
    const double mapY = (anchor.y() + vertical_->value()) / static_cast<double>(zoom_);
    zoom_ = factor;
    updateRanges();
    horizontal_->setValue(zoom::scrollKeeping(mapX, anchor.x(), factor));
    vertical_->setValue(zoom::scrollKeeping(mapY, anchor.y(), factor));
    viewport_->update();
    emit zoomChanged(factor);
}

void MapView::ensureVisible(const QRect& mapRect)
{
    const QSize visible = visibleSize();
    const struct {
        QScrollBar* bar;
        int edge, size, window;
    } axes[] = {{horizontal_, mapRect.left() * zoom_, mapRect.width() * zoom_, visible.width()},
                {vertical_, mapRect.top() * zoom_, mapRect.height() * zoom_, visible.height()}};
    for (const auto& axis : axes) {
        if (axis.edge > axis.bar->value() + axis.window)
            axis.bar->setValue(std::min(axis.edge + axis.size - axis.window, axis.bar->maximum()));
        else if (axis.edge < axis.bar->value())
            axis.bar->setValue(std::max(axis.edge, 0));
    }
}

QWidget* MapView::viewport() const
{
    return viewport_;
}

} // namespace quarry::ui

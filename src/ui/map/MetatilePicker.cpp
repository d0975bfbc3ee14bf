#include "ui/map/MetatilePicker.h"

#include "core/gfx/ChooserGeometry.h"
#include "ui/HexText.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace quarry::ui {

class MetatilePicker::Chooser final : public QWidget {
public:
    explicit Chooser(MetatilePicker& picker) : picker_(picker)
    {
        setFixedSize(gfx::kChooserWidth, gfx::kChooserHeight);
        setObjectName(QStringLiteral("picBkgNat"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), Qt::black);
        const QRect source = event->rect().intersected(picker_.picture_.rect());
        if (!source.isEmpty())
            painter.drawImage(source.topLeft(), picker_.picture_, source);
        paintCounts(painter);
    }
    void mousePressEvent(QMouseEvent* event) override { emit picker_.pressed(event->position().toPoint()); }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        emit picker_.doubleClicked(event->position().toPoint());
    }

private:
    // Each count on a dark tag in the block's top-left corner; unused
    // metatiles in red.
    void paintCounts(QPainter& painter)
    {
        if (picker_.counts_.empty())
            return;
        QFont small = font();
        small.setPixelSize(9);
        painter.setFont(small);
        const QFontMetrics metrics(small);
        for (std::size_t n = 0; n < picker_.counts_.size(); ++n) {
            const int count = picker_.counts_[n];
            const QString text = QString::number(count);
            const QRect tag(gfx::chooserX(static_cast<int>(n)), gfx::chooserY(static_cast<int>(n)),
                            metrics.horizontalAdvance(text) + 3, metrics.height());
            painter.fillRect(tag, QColor(0, 0, 0, 170));
            painter.setPen(count == 0 ? QColor(255, 90, 90) : QColor(255, 255, 255));
            painter.drawText(tag, Qt::AlignCenter, text);
        }
    }

    MetatilePicker& picker_;
};

class MetatilePicker::Selection final : public QWidget {
public:
    explicit Selection(MetatilePicker& picker) : picker_(picker)
    {
        setFixedSize(64, 64);
        setObjectName(QStringLiteral("picSelectedMetatile"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(0, 0, picker_.selection_);
    }

private:
    MetatilePicker& picker_;
};

MetatilePicker::MetatilePicker(QWidget* parent) : QWidget(parent)
{
    chooser_ = new Chooser(*this);
    selectionView_ = new Selection(*this);
    selectionLabel_ = new QLabel(QStringLiteral("00"), this);
    selectionLabel_->setObjectName(QStringLiteral("lblSelMetatile"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(14);
    selectionLabel_->setFont(mono);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The chosen metatile and its number sit under the chooser.
    layout->addWidget(chooser_, 0, 0, 1, 2);
    layout->addWidget(selectionView_, 1, 0, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(selectionLabel_, 1, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->setColumnStretch(1, 1);
}

void MetatilePicker::setPicture(const QImage& picture)
{
    picture_ = picture;
    chooser_->update();
}

void MetatilePicker::showSelection(int number)
{
    selectionLabel_->setText(hexByte(number));
    // The chosen block at twice its size, pixel for pixel.
    const QRect block(gfx::chooserX(number), gfx::chooserY(number), layout::kMetatilePixels, layout::kMetatilePixels);
    selection_ = picture_.copy(block).scaled(2 * block.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    selectionView_->update();
}

void MetatilePicker::setCounts(std::vector<int> counts)
{
    counts_ = std::move(counts);
    chooser_->update();
}

QString MetatilePicker::selectionText() const
{
    return selectionLabel_->text();
}

} // namespace quarry::ui

namespace quarry::ui {

QWidget* MetatilePicker::chooser() const
{
    return chooser_;
}

} // namespace quarry::ui

#include "platform/qt/DrawPanel.h"

#include "platform/qt/Colours.h"

#include <QMouseEvent>
#include <QPainter>

namespace penrica {

DrawPanel::DrawPanel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void DrawPanel::SetBackgroundPicture(QImage picture, BackgroundMode mode) {
    background_ = std::move(picture);
    mode_ = mode;
    Clear();
}

QRect DrawPanel::CentredPlacement(QSize panel, QSize picture) {
    const int W = panel.width();
    const int H = panel.height();
    int w = picture.width();
    int h = picture.height();
    if (w > W || h > H) {
        double s = std::min(static_cast<double>(W) / w, static_cast<double>(H) / h);
        w = static_cast<int>(w * s);
        h = static_cast<int>(h * s);
    }
    return QRect((W - w) / 2, (H - h) / 2, w, h);
}

void DrawPanel::PaintBackground(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, ToQColor(kBackgroundColour));
    if (!background_.isNull()) {
        switch (mode_) {
        case BackgroundMode::Tiled:
            painter.drawTiledPixmap(rect(), QPixmap::fromImage(background_));
            break;
        case BackgroundMode::Centred: {
            QRect target = CentredPlacement(size(), background_.size());
            if (target.size() == background_.size()) {
                painter.drawImage(target.topLeft(), background_);
            } else {
                painter.setRenderHint(QPainter::SmoothPixmapTransform);
                painter.drawImage(target, background_);
            }
            break;
        }
        }
    }
    painter.restore();
}

void DrawPanel::Clear() {
    Clear(rect());
}

// A hidden panel gets its resize event only when shown; drawing on it must still see its size.
bool DrawPanel::Ready() {
    if (image_.size() != size()) {
        Clear();
    }
    return !image_.isNull();
}

void DrawPanel::Clear(const QRect& area) {
    if (image_.size() != size()) {
        image_ = QImage(size(), QImage::Format_RGB32);
    }
    if (image_.isNull()) {
        update();
        return;
    }
    QPainter painter(&image_);
    PaintBackground(painter, area);
    painter.end();
    update(area);
}

void DrawPanel::PreparePen(QPainter& painter) const {
    QPen pen(ToQColor(penColour_));
    pen.setWidth(penWidth_);
    painter.setPen(pen);
    painter.setBrush(ToQColor(kFillColour));
}

void DrawPanel::Line(int x1, int y1, int x2, int y2) {
    if (!Ready()) {
        return;
    }
    QPainter painter(&image_);
    PreparePen(painter);
    painter.drawLine(x1, y1, x2, y2);
    painter.end();
    update();
}

void DrawPanel::Ellipse(int left, int top, int right, int bottom) {
    if (!Ready()) {
        return;
    }
    QPainter painter(&image_);
    PreparePen(painter);
    painter.drawEllipse(QRect(left, top, right - left, bottom - top));
    painter.end();
    update();
}

void DrawPanel::EllipseOutline(int left, int top, int right, int bottom) {
    if (!Ready()) {
        return;
    }
    QPainter painter(&image_);
    PreparePen(painter);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(left, top, right - left, bottom - top), 0, 360 * 16);
    painter.end();
    update();
}

void DrawPanel::DrawPicture(const QImage& picture, int left, int top, int width, int height) {
    if (picture.isNull() || !Ready()) {
        return;
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(left, top, width, height), picture);
    painter.end();
    update();
}

QFont DrawPanel::PanelFont() const {
    QFont font(QStringLiteral("宋体"));
    // Points at 96 dots per inch, as the desktop draws them.
    font.setPixelSize(std::max(1, fontPoints_ * 4 / 3));
    return font;
}

void DrawPanel::WriteText(int x, int y, const QString& text) {
    if (!Ready()) {
        return;
    }
    QPainter painter(&image_);
    QFont font = PanelFont();
    painter.setFont(font);
    QFontMetrics metrics(font);
    QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
    painter.fillRect(box, ToQColor(textBackColour_));
    painter.setPen(ToQColor(textColour_));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.end();
    update();
}

void DrawPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.size() != size()) {
        painter.fillRect(event->rect(), ToQColor(kBackgroundColour));
        return;
    }
    painter.drawImage(event->rect(), image_, event->rect());
}

void DrawPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    image_ = QImage();
    Clear();
}

void DrawPanel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && onLeftPress) {
        onLeftPress(p.x(), p.y());
    } else if (event->button() == Qt::RightButton && onRightPress) {
        onRightPress(p.x(), p.y());
    }
}

void DrawPanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && onLeftRelease) {
        onLeftRelease(p.x(), p.y());
    }
}

void DrawPanel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (onMouseMove) {
        onMouseMove(p.x(), p.y());
    }
}

void DrawPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && onDoubleClick) {
        onDoubleClick(p.x(), p.y());
    }
}

} // namespace penrica

#pragma once
// A panel that keeps its own image of everything drawn on it. The image survives repaints and can
// be taken as a picture; clearing paints the white background and the background picture again.
// Pen, font size and text colours are properties of the panel and stay set between drawings;
// shapes are filled white. Resizing the panel rebuilds its image from the background, so drawings
// are lost.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <functional>

namespace penrica {

enum class BackgroundMode { Tiled, Centred };

class DrawPanel : public QWidget {
    Q_OBJECT
public:
    explicit DrawPanel(QWidget* parent = nullptr);

    void SetBackgroundPicture(QImage picture, BackgroundMode mode);
    const QImage& BackgroundPicture() const { return background_; }

    void SetPenWidth(int width) { penWidth_ = width; }
    void SetPenColour(std::uint32_t colour) { penColour_ = colour; }
    int PenWidth() const { return penWidth_; }
    std::uint32_t PenColour() const { return penColour_; }
    void SetFontSize(int points) { fontPoints_ = points; }
    int FontSize() const { return fontPoints_; }
    void SetTextColour(std::uint32_t colour) { textColour_ = colour; }
    void SetTextBackColour(std::uint32_t colour) { textBackColour_ = colour; }

    // Paints the background colour and picture over the whole panel or one area.
    void Clear();
    void Clear(const QRect& area);
    void Line(int x1, int y1, int x2, int y2);
    void Ellipse(int left, int top, int right, int bottom);
    // The outline of the ellipse in the box, unfilled.
    void EllipseOutline(int left, int top, int right, int bottom);
    void DrawPicture(const QImage& picture, int left, int top, int width, int height);
    // Text with its top-left corner at (x, y), on the text background colour.
    void WriteText(int x, int y, const QString& text);

    // What the panel shows now: the background with every drawing on it.
    const QImage& Image() const { return image_; }

    std::function<void(int x, int y)> onLeftPress;
    std::function<void(int x, int y)> onLeftRelease;
    std::function<void(int x, int y)> onMouseMove;
    std::function<void(int x, int y)> onRightPress;
    std::function<void(int x, int y)> onDoubleClick;

    // Where the centred mode puts a picture of `picture` size in a panel of `panel` size.
    static QRect CentredPlacement(QSize panel, QSize picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Nothing in the program paints the panels' background or fills shapes in another colour.
    static constexpr std::uint32_t kBackgroundColour = 0xFFFFFF;
    static constexpr std::uint32_t kFillColour = 0xFFFFFF;

    bool Ready();
    void PaintBackground(QPainter& painter, const QRect& area);
    void PreparePen(QPainter& painter) const;
    QFont PanelFont() const;

    QImage image_;
    QImage background_;
    BackgroundMode mode_ = BackgroundMode::Centred;
    int penWidth_ = 1;
    std::uint32_t penColour_ = 0;
    int fontPoints_ = 9;
    std::uint32_t textColour_ = 0;
    std::uint32_t textBackColour_ = 0xFFFFFF;
};

} // namespace penrica

// Draws the window's bitmaps: the maker's logo and, for each of the eight
// physical controls, a white base picture and the same drawing in red as its
// highlight. Everything is drawn on the window's background colour so that
// the pictures blend into the window. Each picture is drawn at the size of its
// place in the window, once for 1x and once for 2x screens ("@2x", which Qt
// reads with a device pixel ratio of 2), so that the window copies it instead
// of scaling it. Run by hand when a drawing changes; the bitmaps are checked in:
//
//   cmake --build build --target draw-artwork && build/bin/draw-artwork src/ui/art
#include "DrawingTool.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <QtMath>

#include <functional>
#include <vector>

namespace {

using Ink::Background;
using Ink::Face;
using Ink::Red;
using Ink::Silver;
using Ink::White;

using Drawing = std::function<void(QPainter&, const QColor&)>;

// A bitmap: a drawing in its own units, `Design` wide and high, in one ink,
// and the size of its place in the window.
struct Picture {
    QString Name;
    QSize Design;
    QSize Place;
    Drawing Draw;
    QColor Ink;
};

QFont BoldFont(int pixelSize) {
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(pixelSize);
    return font;
}

QPen Line(const QColor& ink, qreal width) {
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Caption(QPainter& p, const QColor& ink, const QRectF& box, const QString& text) {
    p.setPen(ink);
    p.setFont(BoldFont(17));
    p.drawText(box, Qt::AlignCenter, text);
}

QPointF Polar(const QPointF& centre, qreal radius, qreal degrees) {
    const qreal a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qCos(a), -radius * qSin(a));
}

// Encoder: a ring with square teeth all round, as on an endless rotary knob.
void DrawEncoder(QPainter& p, const QColor& ink) {
    const QPointF centre(50, 41);
    const int teeth = 18;
    const qreal step = 360.0 / teeth;
    QPainterPath gear;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        const QPointF start = Polar(centre, 29, a);
        if (i == 0)
            gear.moveTo(start);
        else
            gear.lineTo(start);
        gear.lineTo(Polar(centre, 35, a + step * 0.1));
        gear.lineTo(Polar(centre, 35, a + step * 0.5));
        gear.lineTo(Polar(centre, 29, a + step * 0.6));
    }
    gear.closeSubpath();
    p.setPen(Line(ink, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(gear);
    p.drawEllipse(centre, 20, 20);
    p.drawLine(Polar(centre, 8, 90), Polar(centre, 16, 90));
    Caption(p, ink, QRectF(0, 78, 100, 22), QStringLiteral("Data"));
}

// Knob: a dial with a pointer inside a scale of ticks, its number beneath.
void DrawKnob(QPainter& p, const QColor& ink, const QString& number) {
    const QPointF centre(50, 41);
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(ink, 2));
    for (int i = 0; i <= 10; ++i) {
        const qreal a = 225 - i * 27;
        p.drawLine(Polar(centre, 30, a), Polar(centre, i % 5 == 0 ? 37 : 34, a));
    }
    p.setPen(Line(ink, 3));
    p.drawEllipse(centre, 24, 24);
    p.drawLine(Polar(centre, 4, 120), Polar(centre, 19, 120));
    Caption(p, ink, QRectF(0, 78, 100, 22), number);
}

// Volume slider: a fader cap on a horizontal slot with a scale beneath.
void DrawSlider(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(ink, 2.5));
    p.drawRoundedRect(QRectF(14, 25, 122, 8), 4, 4);
    p.setPen(Line(ink, 1.5));
    for (int x = 18; x <= 132; x += 12)
        p.drawLine(QPointF(x, 44), QPointF(x, (x - 18) % 36 == 0 ? 52 : 48));
    p.setPen(Line(ink, 2.5));
    p.setBrush(Background);
    const QRectF cap(86, 10, 18, 38);
    p.drawRoundedRect(cap, 3, 3);
    p.drawLine(QPointF(cap.center().x(), cap.top() + 7),
               QPointF(cap.center().x(), cap.bottom() - 7));
}

// Transport button: a rounded key cap with its symbol.
void DrawButtonFrame(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Line(ink, 3));
    p.drawRoundedRect(QRectF(12, 8, 76, 54), 10, 10);
}

void DrawPlay(QPainter& p, const QColor& ink) {
    DrawButtonFrame(p, ink);
    const QPointF triangle[] = {{42, 22}, {42, 48}, {63, 35}};
    p.drawPolygon(triangle, 3);
}

void DrawStop(QPainter& p, const QColor& ink) {
    DrawButtonFrame(p, ink);
    p.drawRect(QRectF(38, 23, 24, 24));
}

void DrawRecord(QPainter& p, const QColor& ink) {
    DrawButtonFrame(p, ink);
    p.drawEllipse(QPointF(50, 35), 13, 13);
}

// The maker's logo: an emblem of three keyboard keys beside a slanted
// wordmark with a stripe under it.
void DrawLogo(QPainter& p, const QColor& ink) {
    const QRectF emblem(8, 9, 83, 83);
    p.setPen(Line(Silver, 5));
    p.setBrush(Face);
    p.drawRoundedRect(emblem, 16, 16);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        const QRectF key(24 + i * 19, 24, 14, 53);
        p.setBrush(ink);
        p.drawRoundedRect(key, 3, 3);
    }
    p.setBrush(Red);
    p.drawRoundedRect(QRectF(33, 24, 9, 31), 2, 2);
    p.drawRoundedRect(QRectF(52, 24, 9, 31), 2, 2);

    QFont font = BoldFont(74);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("SONDRIKA"));
    const QRectF bounds = word.boundingRect();
    QTransform slant;
    slant.translate(112, 74);
    slant.shear(-0.22, 0);
    slant.scale(405 / bounds.width(), 1);
    slant.translate(-bounds.left(), 0);
    // A thin outline in the fill colour keeps the letters bold once the logo is
    // shrunk to its place in the window.
    p.setPen(Line(ink, 2.5));
    p.setBrush(ink);
    p.drawPath(slant.map(word));

    p.setPen(Qt::NoPen);
    p.setBrush(Red);
    const QPointF stripe[] = {{118, 82}, {522, 82}, {519, 92}, {115, 92}};
    p.drawPolygon(stripe, 4);
}

QImage Paint(QSize size, const Picture& picture) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(qreal(size.width()) / picture.Design.width(),
                  qreal(size.height()) / picture.Design.height());
    picture.Draw(painter, picture.Ink);
    return image;
}

// At 1x a picture designed larger than its place (the logo) is drawn at its
// design size and smoothed down to its place, as the window used to do when
// painting it, so that the window looks as it always did. At 2x every picture
// is drawn straight at twice its place's size, which is sharper.
QImage Render(const Picture& picture, int scale) {
    if (scale == 1)
        return Paint(picture.Design, picture)
            .scaled(picture.Place, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return Paint(picture.Place * scale, picture);
}

// Qt writes images without an alpha channel as 24-bit uncompressed BMP.
bool Save(const Picture& picture, int scale, const QDir& folder) {
    const QString suffix = scale == 1 ? QString() : QStringLiteral("@%1x").arg(scale);
    const QString path = folder.filePath(picture.Name + suffix + QStringLiteral(".bmp"));
    if (Render(picture, scale).save(path, "BMP"))
        return true;
    QTextStream(stderr) << "Cannot write " << path << '\n';
    return false;
}

// The window's bitmaps, at 1x and 2x.
bool DrawAll(const QDir& folder) {
    // The sizes of the labels that show them in src/ui/Unit1.ui.
    const QSize knobSize(100, 100);
    const QSize buttonSize(100, 70);
    const std::pair<QSize, Drawing> controls[] = {
        {knobSize, DrawEncoder},
        {knobSize, [](QPainter& p, const QColor& ink) { DrawKnob(p, ink, QStringLiteral("1")); }},
        {knobSize, [](QPainter& p, const QColor& ink) { DrawKnob(p, ink, QStringLiteral("2")); }},
        {knobSize, [](QPainter& p, const QColor& ink) { DrawKnob(p, ink, QStringLiteral("3")); }},
        {QSize(150, 60), DrawSlider},
        {buttonSize, DrawPlay},
        {buttonSize, DrawStop},
        {buttonSize, DrawRecord},
    };

    std::vector<Picture> pictures = {
        {QStringLiteral("Logo"), QSize(530, 101), QSize(241, 49), DrawLogo, White}};
    int number = 1;
    for (const auto& [size, drawing] : controls) {
        const QString n = QString::number(number++);
        pictures.push_back({QStringLiteral("ImgbData") + n, size, size, drawing, White});
        pictures.push_back({QStringLiteral("ImgData") + n, size, size, drawing, Red});
    }
    bool ok = true;
    for (const int scale : {1, 2})
        for (const Picture& picture : pictures)
            ok = Save(picture, scale, folder) && ok;
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    return RunDrawingTool(argc, argv, "draw-artwork <output folder>", DrawAll);
}

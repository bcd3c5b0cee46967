// Draws the application icon: a rounded square in the window's colours with a
// silver knob (its pointer red) above three silver keys. Each PNG is laid out
// at its own size on whole pixels, so the small ones stay sharp, and the SVG
// is written from the same shapes as laid out at 256 px.
//
// Built with the editor; run from the source folder:
//   build/bin/draw-icon data/icons/hicolor
#include "DrawingTool.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QRectF>
#include <QTextStream>
#include <QtMath>

#include <cmath>
#include <vector>

namespace {

const QString AppId = QStringLiteral("io.github.hbx740.Editor");

using Ink::Background;
using Ink::Face;
using Ink::Red;
using Ink::Silver;

// One shape of the icon, in the icon's pixels. The PNG painter and the SVG
// writer both draw from a list of these and nothing else.
struct Shape {
    enum Kind { Rect, Circle, Line };
    Kind kind;
    QRectF box;       // Rect: the rectangle; Circle: centre and radius as a square
    qreal radius = 0; // Rect: corner radius
    QLineF line;      // Line: drawn with round caps
    QColor colour;    // Rect and Circle are filled, Line is stroked
    qreal width = 0;  // Line: stroke width
};

Shape FilledRect(const QRectF& box, qreal radius, const QColor& colour) {
    return {Shape::Rect, box, radius, {}, colour, 0};
}

Shape Disc(const QPointF& centre, qreal radius, const QColor& colour) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    return {Shape::Circle, box, 0, {}, colour, 0};
}

Shape Stroke(const QPointF& from, const QPointF& to, qreal width, const QColor& colour) {
    return {Shape::Line, {}, 0, QLineF(from, to), colour, width};
}

QPointF Polar(const QPointF& centre, qreal radius, qreal degrees) {
    const qreal a = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qCos(a), -radius * qSin(a));
}

// The icon laid out for a square of `size` pixels. Lengths are designed at
// 256 px and rounded to whole pixels at each size. Detail goes as the icon
// shrinks, so that what is left stays readable: the knob's scale below
// 128 px, its cap ring below 48, the margins below 32.
std::vector<Shape> Layout(int size) {
    const qreal f = size / 256.0;
    const bool small = size < 32;
    const auto px = [f](qreal design) { return qMax<qreal>(1, std::round(design * f)); };

    std::vector<Shape> shapes;

    // Body: a silver rim round the window's background colour.
    const qreal margin = small ? 0 : px(8);
    const qreal rim = px(8);
    const QRectF outer(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal corner = qMax<qreal>(2, std::round(40 * f));
    shapes.push_back(FilledRect(outer, corner, Silver));
    const QRectF inner = outer.adjusted(rim, rim, -rim, -rim);
    shapes.push_back(FilledRect(inner, corner - rim, Background));

    // Keys: three silver keys along the bottom with two dark keys between
    // them. Key edges are rounded one by one so the gaps stay a whole pixel.
    const qreal side = small ? 1 : px(20);
    const qreal keysBottom = inner.bottom() - (small ? 1 : px(20));
    const qreal keysTop = keysBottom - std::round(inner.height() * 0.34);
    const qreal keysLeft = inner.left() + side;
    const qreal keysWidth = inner.width() - 2 * side;
    const qreal gap = px(8);
    const qreal step = (keysWidth + gap) / 3;
    const qreal keyRadius = size < 48 ? 0 : px(6);
    std::vector<qreal> edges;
    for (int i = 0; i <= 3; ++i)
        edges.push_back(keysLeft + std::round(i * step));
    for (int i = 0; i < 3; ++i) {
        const QRectF key(edges[i], keysTop, edges[i + 1] - gap - edges[i], keysBottom - keysTop);
        shapes.push_back(FilledRect(key, keyRadius, Silver));
    }
    const qreal blackWidth = small ? gap + 2 : std::round(step * 0.5);
    const qreal blackHeight = std::round((keysBottom - keysTop) * 0.58);
    for (int i = 1; i < 3; ++i) {
        const qreal middle = edges[i] - gap / 2;
        const QRectF black(std::round(middle - blackWidth / 2), keysTop, blackWidth, blackHeight);
        shapes.push_back(FilledRect(black, keyRadius, Face));
    }

    // Knob: centred in the space above the keys, with a scale of ticks from
    // seven to five o'clock round it where there is room for one. Its
    // diameter is a whole even number of pixels and its edges fall on pixel
    // edges, so that the small sizes show a round disc rather than a blur.
    const bool scale = size >= 128;
    const qreal pad = small ? 1 : px(6);
    const qreal room = keysTop - inner.top() - 2 * pad;
    const qreal reach = std::floor(room / 2);
    const QPointF centre(size / 2.0,
                         inner.top() + pad + std::floor((room - 2 * reach) / 2) + reach);
    const qreal knob = scale ? std::round(reach * 0.64) : reach;
    if (scale) {
        const qreal tick = px(6);
        for (int i = 0; i <= 10; ++i) {
            const qreal a = 225 - i * 27;
            const qreal from = knob + px(6) + tick / 2;
            const qreal to = (i % 5 == 0 ? reach : reach - px(5)) - tick / 2;
            shapes.push_back(Stroke(Polar(centre, from, a), Polar(centre, to, a), tick, Silver));
        }
    }
    shapes.push_back(Disc(centre, knob, Silver));
    if (size >= 48) {
        // A dark ring marks the knob's cap.
        shapes.push_back(Disc(centre, std::round(knob * 0.8), Face));
        shapes.push_back(Disc(centre, std::round(knob * 0.8) - px(6), Silver));
    }
    // The pointer at half past ten. Below 48 px a smoothed line of a pixel
    // or two smears into a pink dot, so there it is a staircase of whole red
    // squares from the centre (a pixel corner) towards the rim.
    if (size < 48) {
        const int thick = size < 20 ? 1 : 2;
        for (int far = thick; far * std::sqrt(2.0) <= knob; ++far) {
            const QPointF corner = centre - QPointF(far, far);
            shapes.push_back(FilledRect(QRectF(corner, QSizeF(thick, thick)), 0, Red));
        }
    } else {
        shapes.push_back(Stroke(Polar(centre, knob * 0.2, 135), Polar(centre, knob - px(12), 135),
                                std::round(14 * f), Red));
    }
    return shapes;
}

QImage Paint(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (const Shape& s : Layout(size)) {
        switch (s.kind) {
        case Shape::Rect:
            p.setPen(Qt::NoPen);
            p.setBrush(s.colour);
            p.drawRoundedRect(s.box, s.radius, s.radius);
            break;
        case Shape::Circle:
            p.setPen(Qt::NoPen);
            p.setBrush(s.colour);
            p.drawEllipse(s.box);
            break;
        case Shape::Line:
            p.setPen(QPen(s.colour, s.width, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawLine(s.line);
            break;
        }
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Numbers for the SVG text: shortest form, never locale-dependent.
QString N(qreal v) {
    return QString::number(v, 'g', 6);
}

QString Svg(int size) {
    QString text;
    QTextStream out(&text);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << size
        << "\" height=\"" << size << "\" viewBox=\"0 0 " << size << ' ' << size << "\">\n"
        << "  <title>HBX740 MIDI Editor</title>\n";
    for (const Shape& s : Layout(size)) {
        const QString colour = s.colour.name();
        switch (s.kind) {
        case Shape::Rect:
            out << "  <rect x=\"" << N(s.box.x()) << "\" y=\"" << N(s.box.y()) << "\" width=\""
                << N(s.box.width()) << "\" height=\"" << N(s.box.height()) << '"';
            if (s.radius > 0)
                out << " rx=\"" << N(s.radius) << "\" ry=\"" << N(s.radius) << '"';
            out << " fill=\"" << colour << "\"/>\n";
            break;
        case Shape::Circle:
            out << "  <circle cx=\"" << N(s.box.center().x()) << "\" cy=\"" << N(s.box.center().y())
                << "\" r=\"" << N(s.box.width() / 2) << "\" fill=\"" << colour << "\"/>\n";
            break;
        case Shape::Line:
            out << "  <path d=\"M " << N(s.line.x1()) << ' ' << N(s.line.y1()) << " L "
                << N(s.line.x2()) << ' ' << N(s.line.y2()) << "\" fill=\"none\" stroke=\"" << colour
                << "\" stroke-width=\"" << N(s.width) << "\" stroke-linecap=\"round\"/>\n";
            break;
        }
    }
    out << "</svg>\n";
    return text;
}

bool Fail(const QString& path) {
    QTextStream(stderr) << "Cannot write " << path << '\n';
    return false;
}

bool SavePng(const QDir& root, int size) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = root.filePath(folder + QLatin1Char('/') + AppId + QStringLiteral(".png"));
    if (!root.mkpath(folder) || !Paint(size).save(path, "PNG"))
        return Fail(path);
    return true;
}

bool SaveSvg(const QDir& root) {
    const QString folder = QStringLiteral("scalable/apps");
    const QString path = root.filePath(folder + QLatin1Char('/') + AppId + QStringLiteral(".svg"));
    QFile file(path);
    if (!root.mkpath(folder) || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail(path);
    const QByteArray bytes = Svg(256).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Fail(path);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return RunDrawingTool(argc, argv, "draw-icon <icon theme folder, e.g. data/icons/hicolor>",
                          [](const QDir& root) {
                              bool ok = SaveSvg(root);
                              for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
                                  ok = SavePng(root, size) && ok;
                              return ok;
                          });
}

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Build tool: makes the icon theme's pictures of the icon, drawn once as a
// 32 x 32 XPM.
//   make_icons INPUT.xpm OUTPUT_DIR NAME
// writes OUTPUT_DIR/NxN/apps/NAME.png for each size N below, and
// OUTPUT_DIR/scalable/apps/NAME.svg.
//
// Every PNG is a nearest-neighbour scaling: each output pixel takes the
// colour of the drawn pixel under its centre. At 64, 128 and 256 that makes
// each drawn pixel a whole square of 2, 4 or 8; at 48 the drawn pixels
// become alternately 1 and 2 wide; at 16 and 24 some rows and columns of the
// drawing are left out. No pixel is ever a blend of two colours.
// The SVG draws one rectangle for each horizontal run of equal pixels.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int kSizes[] = { 16, 24, 32, 48, 64, 128, 256 };

QImage Scaled(const QImage& icon, int size)
{
    QImage result(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            result.setPixel(x, y,
                icon.pixel((2 * x + 1) * icon.width() / (2 * size), (2 * y + 1) * icon.height() / (2 * size)));
    return result;
}

bool WriteSvg(const QImage& icon, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << icon.width() << "\" height=\"" << icon.height()
        << "\" viewBox=\"0 0 " << icon.width() << ' ' << icon.height() << "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0, end = 0; x < icon.width(); x = end) {
            const QRgb colour = icon.pixel(x, y);
            for (end = x + 1; end < icon.width() && icon.pixel(end, y) == colour; ++end) { }
            if (qAlpha(colour) != 0)
                out << "<rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << end - x << "\" height=\"1\" fill=\""
                    << QColor(colour).name() << "\"/>\n";
        }
    out << "</svg>\n";
    return out.status() == QTextStream::Ok && file.flush();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.xpm OUTPUT_DIR NAME\n", argv[0]);
        return 2;
    }
    const QImage icon = QImage(QString::fromLocal8Bit(argv[1]), "XPM").convertToFormat(QImage::Format_ARGB32);
    if (icon.isNull()) {
        std::fprintf(stderr, "make_icons: cannot read %s as an XPM image\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (const int size : kSizes) {
        const QString dir = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = out.filePath(dir + '/' + name + ".png");
        if (!out.mkpath(dir) || !Scaled(icon, size).save(path, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString svg = out.filePath("scalable/apps/" + name + ".svg");
    if (!out.mkpath("scalable/apps") || !WriteSvg(icon, svg)) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(svg));
        return 1;
    }
    return 0;
}

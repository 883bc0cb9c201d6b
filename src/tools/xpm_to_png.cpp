// Build tool: writes the icon, drawn as an XPM, as the PNG that desktops
// look up in their icon theme.
//   xpm_to_png INPUT.xpm OUTPUT.png

#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s INPUT.xpm OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]), "XPM");
    if (icon.isNull()) {
        std::fprintf(stderr, "xpm_to_png: cannot read %s as an XPM image\n", argv[1]);
        return 1;
    }
    if (!icon.convertToFormat(QImage::Format_ARGB32).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "xpm_to_png: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

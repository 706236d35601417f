// Build tool: renders the program's SVG icon to a square PNG of the given size, for the icon
// theme folders that want pixel pictures.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include "Numbers.h"

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    if (argc != 4) {
        err << "usage: zorant_render_icon ICON.svg SIZE OUT.png\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const auto size = ParseInteger(argv[2]);
    if (!size || *size < 1 || *size > 4096) {
        err << "bad size: " << argv[2] << "\n";
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        err << "cannot read " << argv[1] << "\n";
        return 1;
    }
    QImage image(*size, *size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        err << "cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}

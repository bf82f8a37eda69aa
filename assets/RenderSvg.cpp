// Renders one SVG drawing to a PNG of the drawing's own size, or to a square
// PNG of the given size (the program's icon for the desktop).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: plenfox_render_svg <in.svg> <out.png> [size]\n");
        return 2;
    }
    const int size = argc == 4 ? std::atoi(argv[3]) : 0;
    if (argc == 4 && (size <= 0 || size > 4096)) {
        std::fprintf(stderr, "the size must be a number of pixels from 1 to 4096: %s\n", argv[3]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "not a valid SVG drawing: %s\n", argv[1]);
        return 1;
    }
    QImage image(size > 0 ? QSize(size, size) : renderer.defaultSize(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}

// Pictures of an X screen, for the Windows program's test under Wine:
//   screen-picture grab FILE             saves the whole screen named by DISPLAY as a PNG picture
//   screen-picture find PICTURE PART     prints where PART appears in PICTURE, pixel for pixel,
//                                        as "x y"; exits with 1 when it appears nowhere
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstring>

namespace {

QPoint Find(const QImage& picture, const QImage& part) {
    for (int y = 0; y + part.height() <= picture.height(); ++y) {
        for (int x = 0; x + part.width() <= picture.width(); ++x) {
            bool same = true;
            for (int row = 0; row < part.height() && same; ++row) {
                same = std::memcmp(picture.constScanLine(y + row) + 4 * x, part.constScanLine(row),
                                   static_cast<std::size_t>(4 * part.width())) == 0;
            }
            if (same) {
                return {x, y};
            }
        }
    }
    return {-1, -1};
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && std::strcmp(argv[1], "grab") == 0) {
        QGuiApplication app(argc, argv);
        return QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[2]))
                   ? 0
                   : 1;
    }
    if (argc == 4 && std::strcmp(argv[1], "find") == 0) {
        const auto load = [](const char* path) {
            return QImage(QString::fromLocal8Bit(path)).convertToFormat(QImage::Format_RGB32);
        };
        const QPoint at = Find(load(argv[2]), load(argv[3]));
        if (at.x() < 0) {
            return 1;
        }
        std::printf("%d %d\n", at.x(), at.y());
        return 0;
    }
    std::fprintf(stderr, "usage: %s grab FILE | find PICTURE PART\n", argv[0]);
    return 2;
}

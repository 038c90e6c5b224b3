// Paints the application icon as PNG files in the hicolor theme's layout:
//   qor_paint_icons FOLDER SIZE...   writes FOLDER/<SIZE>x<SIZE>/apps/qor.png for each size.
// The running program paints its window icon with the same code, so the two never drift apart.

#include "app/ApplicationIcon.h"

#include <QDir>
#include <QImage>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: qor_paint_icons FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        bool number = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
        if (!number || size < 1 || size > 1024) {
            std::fprintf(stderr, "qor_paint_icons: '%s' is not an icon size\n", argv[i]);
            return 2;
        }
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + QStringLiteral("/qor.png");
        if (!QDir().mkpath(apps) || !qor::paintApplicationIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "qor_paint_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

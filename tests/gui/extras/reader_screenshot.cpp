// Saves a picture of the reader window showing a book, as the README shows it.
//
//   qob-reader-screenshot BOOK OUT.png
//
// Run it on a real or virtual screen (xvfb-run) for the window system's
// fonts and style. The file association it writes at start goes into a
// temporary directory, never the user's.
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "reader_window.h"
#include "startup.h"

namespace {

// Long enough for the window to take its designed outer size.
constexpr int kSettleMilliseconds = 700;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: qob-reader-screenshot BOOK OUT.png\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    QApplication app(argc, argv);
    MapSongFace();

    ReaderWindow window(QStringList{QString::fromLocal8Bit(argv[1])});
    window.show();
    int status = 0;
    QTimer::singleShot(kSettleMilliseconds, &window, [&] {
        if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) {
            std::fprintf(stderr, "cannot write %s\n", argv[2]);
            status = 1;
        }
        app.quit();
    });
    app.exec();
    return status;
}

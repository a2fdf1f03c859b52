// qob-editor: the QOB book reader and editor.
#include <QApplication>
#include <QDir>

#include "reader_window.h"
#include "startup.h"

int main(int argc, char** argv) {
    const QString startDirectory = QDir::currentPath();
    QApplication app(argc, argv);
    MapSongFace();

    const QStringList args = ResolveBookArgument(CommandLineArgs(), startDirectory);
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    // A make window opened beside the reader keeps the program running
    // after the reader has closed.
    QApplication::setQuitOnLastWindowClosed(true);
    auto* reader = new ReaderWindow(args);
    reader->setAttribute(Qt::WA_DeleteOnClose);
    reader->show();
    return app.exec();
}

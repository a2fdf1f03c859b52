#include "startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>

#ifdef _WIN32
#include <windows.h>

#include "command_line.h"
#endif

QStringList CommandLineArgs() {
#ifdef _WIN32
    QStringList args;
    for (const std::string& arg : SplitCommandLine(GetCommandLineA())) args << QString::fromLocal8Bit(arg);
    return args;
#else
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return args;
#endif
}

QStringList ResolveBookArgument(QStringList args, const QString& startDirectory) {
    if (args.isEmpty() || args.constFirst().isEmpty()) return args;
    if (QDir::isRelativePath(args.constFirst())) args.first() = QDir(startDirectory).absoluteFilePath(args.constFirst());
    return args;
}

void MapSongFace() {
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                                QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("Source Han Serif SC"), QStringLiteral("WenQuanYi Zen Hei")});
}

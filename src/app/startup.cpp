#include "startup.h"

#include <QDir>
#include <QFont>

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

// The font and colour helpers behind the reading pane's look.
#include <QPlainTextEdit>
#include <QTest>

#include "pane_look.h"

class PaneLookTest : public QObject {
    Q_OBJECT
private slots:
    void SizeReadsBackAsSet_data();
    void SizeReadsBackAsSet();
    void DefaultHeightGivesWayToAFontSetElsewhere();
    void DefaultHeightSurvivesOtherAttributes();
    void OneAttributeAtATime();
    void FaceNames_data();
    void FaceNames();
    void ColoursHoldInEveryGroup();
};

void PaneLookTest::SizeReadsBackAsSet_data() {
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("readBack");
    QTest::addColumn<int>("drawn");  // 0: the default size
    QTest::newRow("start size") << 11 << 11 << 11;
    QTest::newRow("one point") << 1 << 1 << 1;
    QTest::newRow("zero is the default height") << 0 << 0 << 0;
    QTest::newRow("negative is stored as zero") << -9 << 0 << 0;
    QTest::newRow("no upper limit") << 400 << 400 << 400;
}

void PaneLookTest::SizeReadsBackAsSet() {
    QFETCH(int, set);
    QFETCH(int, readBack);
    QFETCH(int, drawn);
    QPlainTextEdit pane;
    SetPaneFontSize(&pane, 23);
    SetPaneFontSize(&pane, set);
    QCOMPARE(PaneFontSize(&pane), readBack);
    QCOMPARE(pane.font().pointSize(), drawn ? drawn : DefaultPointSize());
}

// The pane remembers "0" only while its font still is the default one it
// was given; a font set by other code wins.
void PaneLookTest::DefaultHeightGivesWayToAFontSetElsewhere() {
    QPlainTextEdit pane;
    SetPaneFontSize(&pane, 0);
    QFont font = pane.font();
    font.setPointSize(DefaultPointSize() + 3);
    pane.setFont(font);
    QCOMPARE(PaneFontSize(&pane), DefaultPointSize() + 3);
    SetPaneFontSize(&pane, DefaultPointSize());
    QCOMPARE(PaneFontSize(&pane), DefaultPointSize());
}

void PaneLookTest::DefaultHeightSurvivesOtherAttributes() {
    QPlainTextEdit pane;
    SetPaneFontSize(&pane, 0);
    SetPaneFontFace(&pane, QStringLiteral("Serif"));
    SetPaneFontBold(&pane, true);
    QCOMPARE(PaneFontSize(&pane), 0);
}

void PaneLookTest::OneAttributeAtATime() {
    QPlainTextEdit pane;
    SetPaneFontSize(&pane, 30);
    SetPaneFontBold(&pane, true);
    SetPaneFontItalic(&pane, true);
    SetPaneFontUnderline(&pane, true);
    SetPaneFontStrikeOut(&pane, true);
    SetPaneFontFace(&pane, QStringLiteral("Serif"));
    SetPaneFontItalic(&pane, false);
    const QFont font = pane.font();
    QCOMPARE(font.family(), QStringLiteral("Serif"));
    QCOMPARE(PaneFontSize(&pane), 30);
    QVERIFY(font.bold());
    QVERIFY(!font.italic());
    QVERIFY(font.underline());
    QVERIFY(font.strikeOut());
    SetPaneFontBold(&pane, false);
    QCOMPARE(pane.font().weight(), QFont::Normal);
}

void PaneLookTest::FaceNames_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("used");
    const QString thirtyOne(31, u'a');
    const QString fifteenHan = QString(15, QChar(0x5B8B));  // 30 bytes in the book code page
    QTest::newRow("empty") << QString() << kDefaultFace;
    QTest::newRow("ordinary") << QStringLiteral("Serif") << QStringLiteral("Serif");
    QTest::newRow("31 bytes") << thirtyOne << thirtyOne;
    QTest::newRow("32 bytes") << thirtyOne + u'a' << kDefaultFace;
    QTest::newRow("far too long") << QString(200, u'x') << kDefaultFace;
    QTest::newRow("30 bytes of Chinese") << fifteenHan << fifteenHan;
    QTest::newRow("32 bytes of Chinese") << fifteenHan + QChar(0x5B8B) << kDefaultFace;
}

void PaneLookTest::FaceNames() {
    QFETCH(QString, face);
    QFETCH(QString, used);
    QCOMPARE(UsableFace(face), used);
    QPlainTextEdit pane;
    SetPaneFontFace(&pane, face);
    QCOMPARE(pane.font().family(), used);
}

void PaneLookTest::ColoursHoldInEveryGroup() {
    QPlainTextEdit pane;
    SetPaneTextColor(&pane, QColor(128, 0, 0));
    SetPaneBackgroundColor(&pane, QColor(214, 166, 107));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(pane.palette().color(group, QPalette::Text), QColor(128, 0, 0));
        QCOMPARE(pane.palette().color(group, QPalette::Base), QColor(214, 166, 107));
    }
    QCOMPARE(PaneTextColor(&pane), QColor(128, 0, 0));
    QCOMPARE(PaneBackgroundColor(&pane), QColor(214, 166, 107));
}

QTEST_MAIN(PaneLookTest)
#include "pane_look_test.moc"

// The about window and the background colour window with its picker.
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "about_window.h"
#include "background_color_window.h"
#include "color_picker.h"
#include "gui_test_support.h"

namespace {

// Line breaks as the widgets hold them.
QString Shown(const char* text) { return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

template <typename T>
T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromUtf8(name));
    if (!child) qFatal("no control %s", name);
    return child;
}

// Runs exec() on `window` while `act` is done to it from the event loop.
int ExecWhile(QDialog& window, std::function<void(QWidget*)> act) {
    WhenModalOpens(std::move(act));
    return window.exec();
}

void PressEscape(QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); }

QToolButton* SwatchOf(ColorPicker* picker, const QColor& colour) {
    const QString name = QStringLiteral("(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    for (QToolButton* swatch : picker->Palette()->findChildren<QToolButton*>())
        if (swatch->accessibleName() == name) return swatch;
    qFatal("no swatch");
}

QPushButton* OtherColours(ColorPicker* picker) {
    return picker->Palette()->findChild<QPushButton*>();
}

}  // namespace

class AppearanceWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void AboutForm_data();
    void AboutForm();
    void AboutFixedTexts_data();
    void AboutFixedTexts();
    void AboutOwnLinesKeepTheirPlaces();
    void AboutChangeLogIsReadOnly();
    void AboutCloses_data();
    void AboutCloses();

    void BackgroundForm_data();
    void BackgroundForm();
    void BackgroundOkUntouchedIsWhite();
    void BackgroundCancels_data();
    void BackgroundCancels();
    void BackgroundStartsWhiteEveryTime();

    void PickerSwatch();
    void PickerOtherColour();
    void PickerOtherColourCancelled();
};

void AppearanceWindowsTest::AboutForm_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("place");
    QTest::newRow("title") << "标签1" << "AboutWindow" << QRect(19, 16, 480, 24);
    QTest::newRow("introduction") << "分组框1" << "AboutWindow" << QRect(16, 47, 488, 160);
    QTest::newRow("help") << "标签4" << "分组框1" << QRect(15, 14, 465, 66);
    QTest::newRow("warning") << "标签6" << "分组框1" << QRect(16, 80, 456, 48);
    QTest::newRow("remark") << "标签5" << "分组框1" << QRect(16, 134, 456, 18);
    QTest::newRow("updates") << "分组框2" << "AboutWindow" << QRect(16, 207, 488, 128);
    QTest::newRow("change log") << "编辑框1" << "分组框2" << QRect(8, 16, 472, 104);
    QTest::newRow("credits") << "标签3" << "AboutWindow" << QRect(16, 340, 408, 27);
    QTest::newRow("ok") << "超级按钮1" << "AboutWindow" << QRect(440, 343, 64, 24);
}

void AppearanceWindowsTest::AboutForm() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, place);
    AboutWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("AboutWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("关于"));
    QCOMPARE(window.minimumSize(), QSize(525, 406));
    QCOMPARE(window.maximumSize(), QSize(525, 406));
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), place);
}

void AppearanceWindowsTest::AboutFixedTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("help") << "标签4" << Shown("    [QOB电子书编辑器帮助]\r\n    [阅读]---双击电子书目录中的选项可以修改每篇文章，最后可以保存!\r\n    [制作]---点击制作按钮打开制作窗口,请先添加主目录标题,然后再添加正文内容.点击添加按钮,等所有的内容添加完毕后,最后点击[生成电子书],再打开阅读就OK了.\r\n    [修改]可以修改打开的电子书,并保存.");
    QTest::newRow("remark") << "标签5" << Shown("    软件也还存在许多不足，欢迎提出改进意见，感谢你使用本软件！");
    QTest::newRow("introduction caption") << "分组框1" << QStringLiteral("功能介绍：");
    QTest::newRow("updates caption") << "分组框2" << QStringLiteral("更新说明");
    QTest::newRow("ok") << "超级按钮1" << QStringLiteral("确定");
}

void AppearanceWindowsTest::AboutFixedTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    AboutWindow window;
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control)) QCOMPARE(label->text(), text);
    else if (auto* group = qobject_cast<QGroupBox*>(control)) QCOMPARE(group->title(), text);
    else QCOMPARE(qobject_cast<QPushButton*>(control)->text(), text);
}

// The lines of our own wording sit where the form has them: second line of
// the title, first line of the warning, last line of the change log, and
// two lines of credits.
void AppearanceWindowsTest::AboutOwnLinesKeepTheirPlaces() {
    AboutWindow window;
    const QStringList title = Child<QLabel>(&window, "标签1")->text().split(u'\n');
    QCOMPARE(title.size(), 2);
    QCOMPARE(title[0], QStringLiteral("QOB电子书编辑器"));
    QVERIFY(title[1].startsWith(u'(') && title[1].endsWith(u')'));

    QLabel* warning = Child<QLabel>(&window, "标签6");
    const QStringList lines = warning->text().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].contains(QStringLiteral("[原理]")));
    QVERIFY(lines[0].contains(QStringLiteral("RC4")));
    QCOMPARE(lines[1], Shown("    [注意]请使用本编辑器修改qob文件,直接手动修改或者使用记事本等其他工具修改qob文件会造成文件格式破坏,使得qob编辑器无法正确读取!"));
    QCOMPARE(warning->palette().color(QPalette::WindowText), QColor(0, 128, 0));

    const QString log = Child<QPlainTextEdit>(&window, "编辑框1")->toPlainText();
    const QString fixedEntries = Shown("QOB电子书编辑器更新:\r\n2014-8-25 V1.27,增加关闭按钮\r\n2014-8-23 V1.25F,制作电子书增加修改文章功能,修改图标\r\n2013-4-22 V1.25E,关联QOB文件\r\n2013-4-22 V1.25D,修改图标等,修正打开被破坏的QOB文件内存过大问题\r\n2012-6-20 V1.25,增加配色方案,文字放大缩小\r\n2012-6-17 V1.24,完善修改电子书窗口的删除功能,完善制作电子书并增加向前插入、向后插入功能,增加背景颜色设置\r\n2012-6-17 V1.23,使用编辑框控件替换原来的超级编辑框并修改相关设置\r\n2012-6-14 V1.22,使用自定义内存优化,修改错误,增加存为RUX和自定义格式\r\n2012-6-13 V1.2,增加了菜单,增强了编辑功能");
    QVERIFY(log.startsWith(fixedEntries + u'\n'));
    const QString lastLine = log.mid(fixedEntries.size() + 1);
    QVERIFY(!lastLine.contains(u'\n'));
    QVERIFY(lastLine.startsWith(QStringLiteral("2012-6-12 V1.0,1.1,")));

    const QStringList credits = Child<QLabel>(&window, "标签3")->text().split(u'\n');
    QCOMPARE(credits.size(), 2);
    QVERIFY(credits.join(u' ').contains(QStringLiteral("Qt")));
    QVERIFY(credits.join(u' ').contains(QStringLiteral("iconv")));
}

void AppearanceWindowsTest::AboutChangeLogIsReadOnly() {
    AboutWindow window;
    window.show();
    QPlainTextEdit* log = Child<QPlainTextEdit>(&window, "编辑框1");
    const QString before = log->toPlainText();
    QVERIFY(log->isReadOnly());
    log->setFocus();
    QTest::keyClicks(log, QStringLiteral("abc"));
    QTest::keyClick(log, Qt::Key_Backspace);
    QCOMPARE(log->toPlainText(), before);
    QCOMPARE(log->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(log->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

void AppearanceWindowsTest::AboutCloses_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("确定") << true;
    QTest::newRow("Esc") << false;
}

void AppearanceWindowsTest::AboutCloses() {
    QFETCH(bool, byButton);
    AboutWindow window;
    ExecWhile(window, [byButton](QWidget* modal) {
        if (byButton) QTest::mouseClick(Child<QPushButton>(modal, "超级按钮1"), Qt::LeftButton);
        else PressEscape(modal);
    });
    QVERIFY(!window.isVisible());
}

void AppearanceWindowsTest::BackgroundForm_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::newRow("picker") << "颜色选择器1" << QRect(120, 56, 128, 32) << QString();
    QTest::newRow("cancel") << "取消按钮" << QRect(72, 136, 80, 32) << "取消";
    QTest::newRow("ok") << "确定按钮" << QRect(184, 136, 80, 32) << "确定";
}

void AppearanceWindowsTest::BackgroundForm() {
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    BackgroundColorWindow window;
    QCOMPARE(window.objectName(), QStringLiteral("BackgroundColorWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("设置背景颜色"));
    QCOMPARE(window.minimumSize(), QSize(380, 250));
    QCOMPARE(window.maximumSize(), QSize(380, 250));
    QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (auto* button = qobject_cast<QPushButton*>(control)) QCOMPARE(button->text(), caption);
}

void AppearanceWindowsTest::BackgroundOkUntouchedIsWhite() {
    BackgroundColorWindow window;
    const int result = ExecWhile(window, [](QWidget* modal) {
        QTest::mouseClick(Child<QPushButton>(modal, "确定按钮"), Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(window.Color(), QColor(255, 255, 255));
}

void AppearanceWindowsTest::BackgroundCancels_data() {
    QTest::addColumn<bool>("byButton");
    QTest::newRow("取消") << true;
    QTest::newRow("Esc") << false;
}

void AppearanceWindowsTest::BackgroundCancels() {
    QFETCH(bool, byButton);
    BackgroundColorWindow window;
    const int result = ExecWhile(window, [byButton](QWidget* modal) {
        if (byButton) QTest::mouseClick(Child<QPushButton>(modal, "取消按钮"), Qt::LeftButton);
        else PressEscape(modal);
    });
    QCOMPARE(result, int(QDialog::Rejected));
}

void AppearanceWindowsTest::BackgroundStartsWhiteEveryTime() {
    {
        BackgroundColorWindow first;
        first.Picker()->SetColor(QColor(255, 0, 0));
    }
    BackgroundColorWindow second;
    QCOMPARE(second.Color(), QColor(255, 255, 255));
    QCOMPARE(Child<ColorPicker>(&second, "颜色选择器1"), second.Picker());
}

void AppearanceWindowsTest::PickerSwatch() {
    ColorPicker picker;
    picker.resize(128, 32);
    picker.show();
    QSignalSpy chosen(&picker, &ColorPicker::ColorChosen);
    QTest::mouseClick(&picker, Qt::LeftButton);
    QVERIFY(picker.Palette() && picker.Palette()->isVisible());
    QTest::mouseClick(SwatchOf(&picker, QColor(0, 128, 128)), Qt::LeftButton);
    QCOMPARE(picker.Color(), QColor(0, 128, 128));
    QVERIFY(!picker.Palette()->isVisible());
    QCOMPARE(chosen.size(), 1);
}

void AppearanceWindowsTest::PickerOtherColour() {
    ScriptedPrompter prompts;
    prompts.colorAnswers.push_back(QColor(1, 2, 3));
    ColorPicker picker;
    picker.show();
    picker.OpenPalette();
    QCOMPARE(OtherColours(&picker)->text(), QStringLiteral("其他颜色..."));
    QTest::mouseClick(OtherColours(&picker), Qt::LeftButton);
    QCOMPARE(picker.Color(), QColor(1, 2, 3));
}

void AppearanceWindowsTest::PickerOtherColourCancelled() {
    ScriptedPrompter prompts;
    prompts.colorAnswers.push_back(std::nullopt);
    ColorPicker picker;
    picker.SetColor(QColor(9, 9, 9));
    picker.show();
    picker.OpenPalette();
    QSignalSpy chosen(&picker, &ColorPicker::ColorChosen);
    QTest::mouseClick(OtherColours(&picker), Qt::LeftButton);
    QCOMPARE(picker.Color(), QColor(9, 9, 9));
    QCOMPARE(chosen.size(), 0);
    QVERIFY(!picker.Palette()->isVisible());
}

QTEST_MAIN(AppearanceWindowsTest)
#include "appearance_windows_test.moc"

// The reader window's form, menus, toolbar, greeting, layout and keys.
#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "common_dialog.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "reader_test_support.h"
#include "reader_window.h"

namespace {

QStringList Captions(const QList<QAction*>& actions) {
    QStringList captions;
    for (const QAction* action : actions) captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

QWidget* Control(const ReaderWindow& window, const char* name) {
    return window.findChild<QWidget*>(QString::fromUtf8(name));
}

}  // namespace

class ReaderFormTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ScriptedPrompter> prompter_;
    std::unique_ptr<ReaderWindow> window_;

    ReaderWindow& Window() { return *window_; }

    void ResizeOuter(int width, int height) {
        const QSize frame = window_->frameGeometry().size() - window_->size();
        window_->resize(width - frame.width(), height - frame.height());
        QTRY_COMPARE(window_->frameGeometry().size(), QSize(width, height));
    }

private slots:
    void init() {
        prompter_ = std::make_unique<ScriptedPrompter>();
        window_ = std::make_unique<ReaderWindow>(QStringList());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        prompter_.reset();
    }

    void startsEmptyWithTitleAndNames() {
        QCOMPARE(Window().objectName(), QStringLiteral("ReaderWindow"));
        QCOMPARE(Window().windowTitle(), QStringLiteral("QOB电子书编辑器V1.27"));
        QCOMPARE(Window().frameGeometry().size(), QSize(884, 650));
        QVERIFY(!Window().windowIcon().isNull());
        QCOMPARE(PathBox(Window())->text(), QString());
        QVERIFY(PathBox(Window())->isReadOnly());
        QCOMPARE(Window().TableOfContents()->Count(), 0);
        QCOMPARE(Window().TableOfContents()->Selection(), -1);
        QCOMPARE(Window().TableOfContents()->objectName(), QStringLiteral("目录列表框"));
        QCOMPARE(Window().ReadingPane()->objectName(), QStringLiteral("阅读编辑框"));
        QCOMPARE(Window().ReadingPane()->toPlainText(), QString());
        QCOMPARE(ContentsGroup(Window())->title(), QString());
        QCOMPARE(ArticleGroup(Window())->title(), QString());
        QCOMPARE(Window().Dialog().objectName(), QStringLiteral("阅读通用对话框"));
        QVERIFY(Window().OpenBook().Empty());
        QVERIFY(Window().CommandLineArgs().isEmpty());
        QVERIFY(prompter_->messages.empty());
    }

    void readingPaneIsReadOnlyWrappedElevenPoints() {
        const QPlainTextEdit* pane = Window().ReadingPane();
        QVERIFY(pane->isReadOnly());
        QCOMPARE(pane->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(pane->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(pane->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(pane->font().pointSize(), 11);
        QCOMPARE(pane->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(pane->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void fixedControlsKeepTheirDesignedPlaces_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");  // left, top, and the size the layout leaves alone
        QTest::addColumn<bool>("visible");
        QTest::newRow("toolbar") << "工具条1" << QRect(8, 2, -1, 40) << true;
        QTest::newRow("path box") << "打开文件编辑框" << QRect(8, 48, -1, 24) << true;
        QTest::newRow("browse button") << "打开按钮" << QRect(-1, 48, 96, 24) << true;
        QTest::newRow("contents group") << "目录分组框" << QRect(8, 74, 192, -1) << true;
        QTest::newRow("contents list") << "目录列表框" << QRect(8, 16, 176, -1) << true;
        QTest::newRow("article group") << "分组框1" << QRect(206, 74, -1, -1) << true;
        QTest::newRow("reading pane") << "阅读编辑框" << QRect(8, 16, -1, -1) << true;
        QTest::newRow("picture box") << "图片框1" << QRect(784, 8, 16, 24) << false;
    }

    void fixedControlsKeepTheirDesignedPlaces() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        for (const QSize& outer : {QSize(884, 650), QSize(1200, 300)}) {
            ResizeOuter(outer.width(), outer.height());
            const QWidget* control = Window().findChild<QWidget*>(name);
            QVERIFY(control);
            if (geometry.left() >= 0) QCOMPARE(control->x(), geometry.left());
            QCOMPARE(control->y(), geometry.top());
            if (geometry.width() >= 0) QCOMPARE(control->width(), geometry.width());
            if (geometry.height() >= 0) QCOMPARE(control->height(), geometry.height());
            QCOMPARE(control->isVisible(), visible);
        }
        QCOMPARE(Control(Window(), "打开按钮")->property("text").toString(), QStringLiteral("浏览"));
    }

    void menuBarCaptions() {
        const QList<QAction*> bar = Window().menuBar()->actions();
        QCOMPARE(Captions(bar), QStringList({"  文件", "  阅读", "  编辑", "  说明"}));
        const QList<QStringList> entries = {
            {"新建", "打开", "保存", "另存", "-", "存为RUX", "存为自定义", "导入文本", "-", "关闭", "退出"},
            {"上一章", "下一章", "-", "全选", "复制", "粘贴", "剪切", "-", "阅览字体", "背景颜色", "文字放大", "文字缩小",
             "配色方案", "查找"},
            {"制作", "修改"},
            {"关于"},
        };
        for (int i = 0; i < bar.size(); ++i) {
            QCOMPARE(Captions(bar[i]->menu()->actions()), entries[i]);
            for (const QAction* entry : bar[i]->menu()->actions()) {
                QVERIFY(entry->shortcut().isEmpty());
                QVERIFY(!entry->isCheckable());
                QVERIFY(entry->isEnabled());
            }
        }
        QCOMPARE(Window().ReadingMenu(), bar[1]->menu());
        const QList<QAction*> reading = Window().ReadingMenu()->actions();
        QMenu* schemes = reading.at(reading.size() - 2)->menu();
        QVERIFY(schemes);
        QCOMPARE(Captions(schemes->actions()), QStringList({"方案1", "方案2", "方案3", "方案4", "方案5"}));
    }

    void toolbarButtons() {
        auto* bar = Window().findChild<QToolBar*>(QStringLiteral("工具条1"));
        QVERIFY(bar);
        QCOMPARE(bar->parentWidget(), Window().centralWidget());
        QCOMPARE(bar->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(bar->iconSize(), QSize(16, 16));
        struct Button {
            const char* caption;
            const char* toolTip;
            bool shown;
        };
        const Button expected[] = {
            {"打开", "打开新电子书文件", true}, {"关闭", "关闭文件", false}, {"上一章", "上一章", true},
            {"下一章", "下一章", true},        {"-", "", true},                {"保存", "保存当前电子书", true},
            {"另存", "另存", true},            {"制作", "制作新电子书", true}, {"修改", "", true},
            {"-", "", true},                   {"存为RUX", "", true},          {"存为自定义", "", true},
            {"关于", "关于作者", false},
        };
        const QList<QAction*> actions = bar->actions();
        QCOMPARE(actions.size(), int(std::size(expected)));
        for (int i = 0; i < actions.size(); ++i) {
            const QString caption = QString::fromUtf8(expected[i].caption);
            QCOMPARE(Captions({actions[i]}).constFirst(), caption);
            QCOMPARE(actions[i]->isVisible(), expected[i].shown);
            // Qt reports a hidden action as disabled.
            QCOMPARE(actions[i]->isEnabled(), expected[i].shown);
            if (actions[i]->isSeparator()) continue;
            QVERIFY(!actions[i]->icon().isNull());
            const QWidget* button = bar->widgetForAction(actions[i]);
            QVERIFY(button);
            QCOMPARE(button->toolTip(), QString::fromUtf8(expected[i].toolTip));
            QCOMPARE(button->isVisible(), expected[i].shown);
        }
    }

    void greetingPane() {
        auto* statusBar = Window().findChild<QStatusBar*>(QStringLiteral("状态条1"));
        QVERIFY(statusBar);
        QCOMPARE(Window().statusBar(), statusBar);
        const QList<QLabel*> panes = statusBar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(panes.size(), 1);
        const QDate today = QDate::currentDate();
        QCOMPARE(panes[0]->text(), QStringLiteral("欢迎使用,%1年%2月%3日").arg(today.year()).arg(today.month()).arg(today.day()));
        QCOMPARE(panes[0]->width(), 200);
        QCOMPARE(panes[0]->frameShape(), QFrame::NoFrame);
    }

    void layoutFollowsTheOuterSize_data() {
        QTest::addColumn<QSize>("outer");
        QTest::newRow("designed") << QSize(884, 650);
        QTest::newRow("widened by 100") << QSize(984, 650);
        QTest::newRow("taller") << QSize(884, 900);
        QTest::newRow("narrower than the list column") << QSize(200, 400);
        QTest::newRow("smaller than the margins") << QSize(10, 10);
    }

    void layoutFollowsTheOuterSize() {
        QFETCH(QSize, outer);
        ResizeOuter(outer.width(), outer.height());
        const int w = outer.width();
        const int h = outer.height();
        const auto atLeast0 = [](int value) { return std::max(value, 0); };
        const int statusHeight = Window().statusBar()->height();
        const int groupHeight = atLeast0(h - 24 - statusHeight - 110);
        QCOMPARE(Control(Window(), "工具条1")->width(), atLeast0(w - 16));
        QCOMPARE(Control(Window(), "分组框1")->size(), QSize(atLeast0(w - 222), groupHeight));
        QCOMPARE(Control(Window(), "目录分组框")->size(), QSize(192, groupHeight));
        QCOMPARE(Control(Window(), "阅读编辑框")->size(),
                 QSize(atLeast0(atLeast0(w - 222) - 16), atLeast0(groupHeight - 24)));
        QCOMPARE(Control(Window(), "目录列表框")->size(), QSize(176, atLeast0(groupHeight - 24)));
        QCOMPARE(Control(Window(), "打开文件编辑框")->width(), atLeast0(w - 96 - 32));
        QCOMPARE(Control(Window(), "打开按钮")->x(), w - 96 - 16);
    }

    void layoutAtTheDesignedSize() {
        ResizeOuter(884, 650);
        QCOMPARE(Window().statusBar()->height(), 20);
        QCOMPARE(Control(Window(), "工具条1")->width(), 868);
        QCOMPARE(Control(Window(), "分组框1")->size(), QSize(662, 496));
        QCOMPARE(Control(Window(), "阅读编辑框")->size(), QSize(646, 472));
        QCOMPARE(Control(Window(), "目录分组框")->height(), 496);
        QCOMPARE(Control(Window(), "目录列表框")->height(), 472);
        QCOMPARE(Control(Window(), "打开文件编辑框")->width(), 756);
        QCOMPARE(Control(Window(), "打开按钮")->x(), 772);
    }

    void restoringAfterATinySizeGivesTheSameLayout() {
        ResizeOuter(884, 650);
        QList<QRect> before;
        for (const QWidget* control : Window().centralWidget()->findChildren<QWidget*>()) before << control->geometry();
        ResizeOuter(5, 5);
        ResizeOuter(884, 650);
        QList<QRect> after;
        for (const QWidget* control : Window().centralWidget()->findChildren<QWidget*>()) after << control->geometry();
        QCOMPARE(after, before);
    }

    void escapeClosesTheWindow_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("table of contents") << "目录列表框";
        QTest::newRow("reading pane") << "阅读编辑框";
        QTest::newRow("path box") << "打开文件编辑框";
    }

    void escapeClosesTheWindow() {
        QFETCH(QString, focus);
        QWidget* control = Window().findChild<QWidget*>(focus);
        QVERIFY(control);
        QTest::keyClick(control, Qt::Key_Escape);
        QVERIFY(!Window().isVisible());
    }

    void exitProgramClosesTheWindow() {
        Window().ExitProgram();
        QVERIFY(!Window().isVisible());
    }

    void rightButtonOverThePanePopsUpTheReadingMenu() {
        QMenu* popped = nullptr;
        QTimer closer;
        closer.setInterval(10);
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                popped = menu;
                menu->close();
            }
        });
        closer.start();
        QWidget* viewport = Window().ReadingPane()->viewport();
        QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(20, 30));
        QTRY_VERIFY(popped);
        QCOMPARE(popped, Window().ReadingMenu());
    }
};

QTEST_MAIN(ReaderFormTest)
#include "reader_form_test.moc"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "article_edit_window.h"
#include "book_edit_window.h"
#include "editor_test_support.h"
#include "gui_test_support.h"
#include "list_box.h"
#include "make_window.h"
#include "reader_window.h"

// What the three editing windows have in common: their frame, Esc, the
// content font, and a form that fits inside the window.
class EditorFormsTest : public QObject {
    Q_OBJECT
private:
    ScriptedPrompter prompts;
    std::unique_ptr<ReaderWindow> reader;
    QPointer<QWidget> window;

    void OpenWindow(const QString& kind) {
        if (kind == u"make") window = new MakeWindow;
        if (kind == u"book edit") window = new BookEditWindow(*reader);
        if (kind == u"article edit") window = new ArticleEditWindow(*reader);
    }

    static void AddWindowRows() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("roleName");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("contentBox");
        QTest::newRow("make") << "make" << "MakeWindow" << "QOB电子书制作" << "内容编辑框";
        QTest::newRow("book edit") << "book edit" << "BookEditWindow" << "QOB 电子书修改" << "正文编辑框";
        QTest::newRow("article edit") << "article edit" << "ArticleEditWindow" << "QOB电子书文章修改"
                                      << "正文编辑框";
    }

private slots:
    void init() {
        reader = std::make_unique<ReaderWindow>(QStringList());
        ShowInReader(*reader, "ABC", 1);
    }
    void cleanup() {
        delete window;
        reader.reset();
    }

    void frameTitleAndContentFont_data() { AddWindowRows(); }
    void frameTitleAndContentFont() {
        QFETCH(QString, kind);
        QFETCH(QString, roleName);
        QFETCH(QString, title);
        QFETCH(QString, contentBox);
        OpenWindow(kind);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QCOMPARE(window->objectName(), roleName);
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(window->parent(), nullptr);
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        const QPoint offCentre =
            window->frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 40, qPrintable(QStringLiteral("%1,%2").arg(offCentre.x()).arg(offCentre.y())));
        const auto* content = Named<QPlainTextEdit>(window, contentBox.toUtf8().constData());
        QCOMPARE(content->font().family(), QStringLiteral("宋体"));
        QCOMPARE(content->font().pixelSize(), 15);
        QCOMPARE(content->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void everyControlFitsInsideItsParent_data() { AddWindowRows(); }
    void everyControlFitsInsideItsParent() {
        QFETCH(QString, kind);
        OpenWindow(kind);
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_")) continue;
            QVERIFY2(control->parentWidget()->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
        }
    }

    // Esc closes the window whichever of its controls has the focus.
    void escapeCloses_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("focus");
        for (const char* kind : {"make", "book edit", "article edit"}) {
            const bool make = QByteArray(kind) == "make";
            QTest::addRow("%s, title box", kind) << kind << (make ? "标题编辑框" : "主目录编辑框");
            QTest::addRow("%s, content box", kind) << kind << (make ? "内容编辑框" : "正文编辑框");
            QTest::addRow("%s, list", kind) << kind << "列表框";
        }
    }
    void escapeCloses() {
        QFETCH(QString, kind);
        QFETCH(QString, focus);
        OpenWindow(kind);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QWidget* control = Named<QWidget>(window, focus.toUtf8().constData());
        control->setFocus();

        QTest::keyClick(control, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(window.isNull());
    }
};

QTEST_MAIN(EditorFormsTest)
#include "editor_forms_test.moc"

#include "about_window.h"

#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "form_control.h"

namespace {

// The texts keep the "\r\n" breaks they are written with; widgets break
// lines at "\n".
constexpr char kTitleFirstLine[] = "QOB电子书编辑器";
constexpr char kHelpText[] = "    [QOB电子书编辑器帮助]\r\n    [阅读]---双击电子书目录中的选项可以修改每篇文章，最后可以保存!\r\n    [制作]---点击制作按钮打开制作窗口,请先添加主目录标题,然后再添加正文内容.点击添加按钮,等所有的内容添加完毕后,最后点击[生成电子书],再打开阅读就OK了.\r\n    [修改]可以修改打开的电子书,并保存.";
constexpr char kWarningLine[] = "    [注意]请使用本编辑器修改qob文件,直接手动修改或者使用记事本等其他工具修改qob文件会造成文件格式破坏,使得qob编辑器无法正确读取!";
constexpr char kClosingRemark[] = "    软件也还存在许多不足，欢迎提出改进意见，感谢你使用本软件！";
constexpr char kChangeLogEntries[] = "QOB电子书编辑器更新:\r\n2014-8-25 V1.27,增加关闭按钮\r\n2014-8-23 V1.25F,制作电子书增加修改文章功能,修改图标\r\n2013-4-22 V1.25E,关联QOB文件\r\n2013-4-22 V1.25D,修改图标等,修正打开被破坏的QOB文件内存过大问题\r\n2012-6-20 V1.25,增加配色方案,文字放大缩小\r\n2012-6-17 V1.24,完善修改电子书窗口的删除功能,完善制作电子书并增加向前插入、向后插入功能,增加背景颜色设置\r\n2012-6-17 V1.23,使用编辑框控件替换原来的超级编辑框并修改相关设置\r\n2012-6-14 V1.22,使用自定义内存优化,修改错误,增加存为RUX和自定义格式\r\n2012-6-13 V1.2,增加了菜单,增强了编辑功能";
constexpr char kIntroductionCaption[] = "功能介绍：";
constexpr char kUpdatesCaption[] = "更新说明";
constexpr char kOkCaption[] = "确定";
constexpr char kWindowTitle[] = "关于";
constexpr char kTitleCredit[] = "(以C++和Qt编写的版本)";
constexpr char kPrincipleLine[] = "    [原理]本编辑器用C++与Qt写成,电子书的每个标题和正文都以RC4算法加密保存.";
constexpr char kFirstVersionsEntry[] = "2012-6-12 V1.0,1.1,最初的版本,只能阅读电子书";
constexpr char kBuiltWith[] =
    "本程序以C++20和Qt 6 Widgets界面库编写,\r\n文字的GB18030编码转换由系统的iconv完成.";

QString Shown(const QString& text) { return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

QString Lines(const char* first, const char* second) {
    return QString::fromUtf8(first) + QStringLiteral("\r\n") + QString::fromUtf8(second);
}

QLabel* Label(const char* name, const QString& text, const QRect& place, QWidget* parent) {
    auto* label = Placed(new QLabel(Shown(text), parent), name, place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QGroupBox* Group(const char* name, const char* caption, const QRect& place, QWidget* parent) {
    return Placed(new QGroupBox(QString::fromUtf8(caption), parent), name, place);
}

void Colour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPlainTextEdit* ChangeLog(QWidget* parent) {
    auto* log = Placed(new QPlainTextEdit(parent), "编辑框1", QRect(8, 16, 472, 104));
    log->setReadOnly(true);
    log->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    log->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    log->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Colour(log, QPalette::Base, Qt::white);
    Colour(log, QPalette::Text, Qt::black);
    log->setPlainText(Shown(Lines(kChangeLogEntries, kFirstVersionsEntry)));
    return log;
}

}  // namespace

AboutWindow::AboutWindow()
    : FixedDialog(QStringLiteral("AboutWindow"), QString::fromUtf8(kWindowTitle), QSize(525, 406)) {
    // The form's label sizes were laid out for a 12-pixel Song face, the
    // usual user-interface font under a Chinese system; a larger default
    // font would cut their last lines off.
    QFont designFont(QStringLiteral("宋体"));
    designFont.setPixelSize(12);
    setFont(designFont);
    Label("标签1", Lines(kTitleFirstLine, kTitleCredit), QRect(19, 16, 480, 24), this);

    QGroupBox* introduction = Group("分组框1", kIntroductionCaption, QRect(16, 47, 488, 160), this);
    Label("标签4", QString::fromUtf8(kHelpText), QRect(15, 14, 465, 66), introduction);
    QLabel* warning = Label("标签6", Lines(kPrincipleLine, kWarningLine), QRect(16, 80, 456, 48), introduction);
    Colour(warning, QPalette::WindowText, QColor(0, 128, 0));
    Label("标签5", QString::fromUtf8(kClosingRemark), QRect(16, 134, 456, 18), introduction);

    QGroupBox* updates = Group("分组框2", kUpdatesCaption, QRect(16, 207, 488, 128), this);
    ChangeLog(updates);

    Label("标签3", QString::fromUtf8(kBuiltWith), QRect(16, 340, 408, 27), this);

    auto* ok = Placed(new QPushButton(QString::fromUtf8(kOkCaption), this), "超级按钮1", QRect(440, 343, 64, 24));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

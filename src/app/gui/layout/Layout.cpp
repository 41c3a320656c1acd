#include "app/gui/layout/Layout.h"

#include "widgets/PageControl.h"
#include "widgets/StaticText.h"
#include "widgets/UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <stdexcept>

namespace vireo::layout
{

namespace
{

QString utf8(const char *s)
{
    return QString::fromUtf8(s);
}

Qt::Alignment alignment(unsigned flags)
{
    Qt::Alignment h = (flags & Centre) ? Qt::AlignHCenter : (flags & Right) ? Qt::AlignRight : Qt::AlignLeft;
    return h | Qt::AlignVCenter;
}

QWidget *make(const Control &row, QWidget *parent, const QHash<QString, QWidget *> &made)
{
    const QString caption = utf8(row.caption);
    switch (row.kind) {
    case Kind::PageControl:
        return new PageControl((row.flags & TabWidth150) ? 150 : 0, parent);
    case Kind::Page: {
        auto *pages = qobject_cast<QTabWidget *>(parent);
        if (!pages)
            throw std::logic_error(std::string("page outside a page control: ") + row.name);
        auto *page = new QWidget;
        pages->addTab(page, caption);
        return page;
    }
    case Kind::GroupBox:
        return new QGroupBox(caption, parent);
    case Kind::Label: {
        auto *label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText); // captions come from the language file: never markup
        label->setText(caption);
        label->setWordWrap(row.flags & WordWrap);
        label->setAlignment((row.flags & WordWrap) ? (alignment(row.flags) & ~Qt::AlignVCenter) | Qt::AlignTop
                                                   : alignment(row.flags));
        return label;
    }
    case Kind::StaticText: {
        auto *text = new StaticText(parent);
        text->setTextFormat(Qt::PlainText);
        text->setText(caption);
        text->setAlignment(alignment(row.flags));
        text->setBorder((row.flags & Sunken)  ? StaticText::Border::Sunken
                        : (row.flags & Boxed) ? StaticText::Border::Single
                                              : StaticText::Border::None);
        return text;
    }
    case Kind::Image: {
        auto *image = new QLabel(parent);
        image->setScaledContents(true);
        return image;
    }
    case Kind::Edit:
        return new QLineEdit(caption, parent);
    case Kind::UpDown: {
        auto *spin = new UpDown(parent);
        auto *field = qobject_cast<QLineEdit *>(made.value(caption));
        if (!field)
            throw std::logic_error(std::string("spin button without its field: ") + row.name);
        spin->setAssociate(field);
        return spin;
    }
    case Kind::Button:
        return new QPushButton(caption, parent);
    case Kind::SpeedButton: {
        auto *button = new QToolButton(parent);
        button->setText(caption);
        return button;
    }
    case Kind::CheckBox: {
        auto *box = new QCheckBox(caption, parent);
        box->setChecked(row.flags & Checked);
        return box;
    }
    case Kind::RadioButton: {
        auto *radio = new QRadioButton(caption, parent);
        radio->setChecked(row.flags & Checked);
        return radio;
    }
    case Kind::ComboBox:
        return new QComboBox(parent); // a drop-down list: not editable
    case Kind::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setValue(0);
        bar->setTextVisible(false);
        return bar;
    }
    case Kind::Memo: {
        auto *memo = new QPlainTextEdit(caption, parent);
        memo->setReadOnly(true);
        return memo;
    }
    }
    throw std::logic_error("unknown control kind");
}

void applyLook(QWidget &w, const Control &row)
{
    if (row.flags & (Bold | Title | Arial)) {
        QFont f = w.font();
        if (row.flags & Title)
            f.setPixelSize(14);
        if (row.flags & Arial) {
            f.setFamily(QStringLiteral("Arial"));
            f.setBold(row.flags & Bold);
        } else {
            f.setBold(true);
        }
        w.setFont(f);
    }
    if (row.flags & (RedText | WhiteText)) {
        QPalette p = w.palette();
        p.setColor(QPalette::WindowText, (row.flags & RedText) ? QColor(Qt::red) : QColor(Qt::white));
        w.setPalette(p);
    }
    if (row.flags & Disabled)
        w.setEnabled(false);
}

} // namespace

void build(QWidget &root, const std::vector<Control> &rows, const std::vector<ComboItems> &items)
{
    QHash<QString, QWidget *> made;
    for (const Control &row : rows) {
        QWidget *parent = *row.parent ? made.value(utf8(row.parent)) : &root;
        if (!parent)
            throw std::logic_error(std::string("control before its parent: ") + row.name);
        QWidget *w = make(row, parent, made);
        w->setObjectName(utf8(row.name));
        if (row.kind != Kind::Page)
            w->setGeometry(row.geometry);
        applyLook(*w, row);
        if ((row.flags & Hidden) && row.kind == Kind::Page) {
            auto *pages = static_cast<QTabWidget *>(parent);
            pages->setTabVisible(pages->indexOf(w), false);
        } else if (row.flags & Hidden) {
            w->hide();
        }
        made.insert(w->objectName(), w);
    }
    for (const ComboItems &list : items) {
        auto *combo = qobject_cast<QComboBox *>(made.value(utf8(list.combo)));
        if (!combo)
            throw std::logic_error(std::string("items for a missing combo box: ") + list.combo);
        for (const char *item : list.items)
            combo->addItem(utf8(item));
    }
}

} // namespace vireo::layout

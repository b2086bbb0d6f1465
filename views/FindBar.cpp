#include "views/FindBar.h"

#include "model/ResString.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

FindBar::FindBar(QWidget *parent)
    : QWidget(parent)
    , m_Field(new QLineEdit(this))
    , m_Result(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    m_Field->setObjectName(QStringLiteral("findField"));
    m_Field->setPlaceholderText(LoadResString(TextId::FindFieldPlaceholder));
    m_Field->setClearButtonEnabled(true);
    m_Result->setObjectName(QStringLiteral("findResult"));
    const auto button = [this](QStyle::StandardPixmap icon, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setIcon(style()->standardIcon(icon));
        b->setToolTip(tip);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    QToolButton *previous = button(QStyle::SP_ArrowUp, LoadResString(TextId::FindBarPreviousTip));
    QToolButton *next = button(QStyle::SP_ArrowDown, LoadResString(TextId::FindBarNextTip));
    QToolButton *close = button(QStyle::SP_TitleBarCloseButton, LoadResString(TextId::FindBarCloseTip));

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(2);
    top->addWidget(m_Field, 1);
    top->addWidget(previous);
    top->addWidget(next);
    top->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addLayout(top);
    layout->addWidget(m_Result);
    m_Result->hide();

    connect(m_Field, &QLineEdit::returnPressed, this, [this] { emit FindRequested(Text(), true); });
    connect(m_Field, &QLineEdit::textEdited, this, [this] { SetResult({}); });
    connect(previous, &QToolButton::clicked, this, [this] { emit FindRequested(Text(), false); });
    connect(next, &QToolButton::clicked, this, [this] { emit FindRequested(Text(), true); });
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        emit Closed();
    });
}

QString FindBar::Text() const
{
    return m_Field->text().trimmed();
}

void FindBar::Open()
{
    show();
    m_Field->setFocus(Qt::ShortcutFocusReason);
    m_Field->selectAll();
}

void FindBar::SetResult(const QString &text)
{
    m_Result->setText(text);
    m_Result->setVisible(!text.isEmpty());
}

QString FindBar::Result() const
{
    return m_Result->text();
}

void FindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        emit Closed();
        return;
    }
    QWidget::keyPressEvent(event);
}

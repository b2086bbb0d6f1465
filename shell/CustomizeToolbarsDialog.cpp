#include "shell/CustomizeToolbarsDialog.h"

#include "model/ResString.h"
#include "shell/CommandActions.h"
#include "shell/ToolbarManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int kToolbarRole = Qt::UserRole;
constexpr int kCommandRole = Qt::UserRole + 1;

QToolBar *ToolbarOf(const QVariant &value)
{
    return reinterpret_cast<QToolBar *>(value.value<quintptr>());
}

QVariant ToolbarValue(QToolBar *bar)
{
    return QVariant::fromValue(reinterpret_cast<quintptr>(bar));
}

constexpr QSize kButtonImageSize(16, 16);

// A command without an image keeps an empty image's room, so that every
// name in the list starts at the same place.
QIcon ListIcon(const QIcon &icon)
{
    if (!icon.isNull())
        return icon;
    QPixmap blank(kButtonImageSize);
    blank.fill(Qt::transparent);
    return QIcon(blank);
}

// A toolbar name asked in a dialog wide enough for its whole title.
QString AskToolbarName(QWidget *parent, const QString &title, const QString &initial, bool *ok)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(LoadResString(TextId::ToolbarNameLabel));
    dialog.setTextValue(initial);
    // The title bar also holds the window's icon and buttons. The dialog's
    // layout fixes its size, so the width goes to the name's field.
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMinimumWidth(dialog.fontMetrics().horizontalAdvance(title) * 5 / 4 + 140);
    *ok = dialog.exec() == QDialog::Accepted;
    return dialog.textValue();
}

} // namespace

CustomizeToolbarsDialog::CustomizeToolbarsDialog(ToolbarManager &toolbars, CommandActions &commands, QWidget *parent)
    : QDialog(parent)
    , m_Toolbars(toolbars)
    , m_Commands(commands)
{
    setObjectName(QStringLiteral("customizeDialog"));
    setWindowTitle(LoadResString(TextId::CustomizeDialogTitle));
    setAttribute(Qt::WA_DeleteOnClose);

    auto *tabs = new QTabWidget(this);

    // Toolbars: which are shown, which the user made, and text labels.
    auto *toolbarPage = new QWidget(tabs);
    m_ToolbarList = new QListWidget(toolbarPage);
    m_ToolbarList->setObjectName(QStringLiteral("toolbarList"));
    m_Create = new QPushButton(LoadResString(TextId::CreateToolbarButton), toolbarPage);
    m_Rename = new QPushButton(LoadResString(TextId::RenameToolbarButton), toolbarPage);
    m_Delete = new QPushButton(LoadResString(TextId::DeleteToolbarButton), toolbarPage);
    m_TextLabels = new QCheckBox(LoadResString(TextId::ToolbarTextLabelsCheckBox), toolbarPage);
    m_TextLabels->setObjectName(QStringLiteral("textLabels"));
    m_TextLabels->setChecked(m_Toolbars.TextLabels());
    auto *toolbarButtons = new QVBoxLayout;
    toolbarButtons->addWidget(m_Create);
    toolbarButtons->addWidget(m_Rename);
    toolbarButtons->addWidget(m_Delete);
    toolbarButtons->addStretch();
    auto *toolbarLayout = new QGridLayout(toolbarPage);
    toolbarLayout->addWidget(new QLabel(LoadResString(TextId::ToolbarListLabel), toolbarPage), 0, 0);
    toolbarLayout->addWidget(m_ToolbarList, 1, 0);
    toolbarLayout->addLayout(toolbarButtons, 1, 1);
    toolbarLayout->addWidget(m_TextLabels, 2, 0, 1, 2);
    tabs->addTab(toolbarPage, LoadResString(TextId::ToolbarsTabTitle));

    // Commands: what a user toolbar carries.
    auto *commandPage = new QWidget(tabs);
    m_CommandTarget = new QComboBox(commandPage);
    m_CommandTarget->setObjectName(QStringLiteral("commandTarget"));
    m_Available = new QListWidget(commandPage);
    m_Available->setObjectName(QStringLiteral("availableCommands"));
    m_Available->setIconSize(kButtonImageSize);
    m_OnToolbar = new QListWidget(commandPage);
    m_OnToolbar->setObjectName(QStringLiteral("toolbarCommands"));
    m_OnToolbar->setIconSize(kButtonImageSize);
    m_Add = new QPushButton(LoadResString(TextId::AddCommandButton), commandPage);
    m_Remove = new QPushButton(LoadResString(TextId::RemoveCommandButton), commandPage);
    m_Image = new QComboBox(commandPage);
    m_Image->setObjectName(QStringLiteral("commandImage"));
    m_Image->setIconSize(kButtonImageSize);
    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(m_Add);
    middle->addWidget(m_Remove);
    middle->addStretch();
    auto *commandLayout = new QGridLayout(commandPage);
    commandLayout->addWidget(new QLabel(LoadResString(TextId::CommandTargetLabel), commandPage), 0, 0);
    commandLayout->addWidget(m_CommandTarget, 0, 1, 1, 2);
    commandLayout->addWidget(new QLabel(LoadResString(TextId::AvailableCommandsLabel), commandPage), 1, 0);
    commandLayout->addWidget(new QLabel(LoadResString(TextId::ToolbarCommandsLabel), commandPage), 1, 2);
    commandLayout->addWidget(m_Available, 2, 0);
    commandLayout->addLayout(middle, 2, 1);
    commandLayout->addWidget(m_OnToolbar, 2, 2);
    commandLayout->addWidget(new QLabel(LoadResString(TextId::CommandImageLabel), commandPage), 3, 0);
    commandLayout->addWidget(m_Image, 3, 1, 1, 2);
    tabs->addTab(commandPage, LoadResString(TextId::CommandsTabTitle));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    connect(m_ToolbarList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_Filling)
            return;
        if (QToolBar *bar = ToolbarOf(item->data(kToolbarRole)))
            bar->setVisible(item->checkState() == Qt::Checked);
    });
    connect(m_ToolbarList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(m_Create, &QPushButton::clicked, this, &CustomizeToolbarsDialog::OnCreate);
    connect(m_Rename, &QPushButton::clicked, this, &CustomizeToolbarsDialog::OnRename);
    connect(m_Delete, &QPushButton::clicked, this, &CustomizeToolbarsDialog::OnDelete);
    connect(m_TextLabels, &QCheckBox::toggled, &m_Toolbars, &ToolbarManager::SetTextLabels);
    connect(m_CommandTarget, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_Filling)
            FillCommandLists();
    });
    connect(m_Add, &QPushButton::clicked, this, &CustomizeToolbarsDialog::OnAdd);
    connect(m_Remove, &QPushButton::clicked, this, &CustomizeToolbarsDialog::OnRemove);
    connect(m_OnToolbar, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(m_Image, &QComboBox::activated, this, &CustomizeToolbarsDialog::OnImageChosen);

    FillToolbarList();
    FillCommandLists();
}

void CustomizeToolbarsDialog::FillToolbarList()
{
    m_Filling = true;
    QToolBar *selected = SelectedToolbar();
    m_ToolbarList->clear();
    for (QToolBar *bar : m_Toolbars.AllToolbars()) {
        auto *item = new QListWidgetItem(bar->windowTitle(), m_ToolbarList);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(bar->isHidden() ? Qt::Unchecked : Qt::Checked);
        item->setData(kToolbarRole, ToolbarValue(bar));
        if (bar == selected)
            m_ToolbarList->setCurrentItem(item);
    }
    QToolBar *target = m_CommandTarget->count() ? ToolbarOf(m_CommandTarget->currentData()) : nullptr;
    m_CommandTarget->clear();
    for (QToolBar *bar : m_Toolbars.UserToolbars()) {
        m_CommandTarget->addItem(bar->windowTitle(), ToolbarValue(bar));
        if (bar == target)
            m_CommandTarget->setCurrentIndex(m_CommandTarget->count() - 1);
    }
    m_Filling = false;
    UpdateButtons();
}

void CustomizeToolbarsDialog::FillCommandLists()
{
    m_Available->clear();
    for (CommandId command : m_Toolbars.AvailableCommands()) {
        const QAction *action = m_Commands.Action(command);
        auto *item = new QListWidgetItem(ListIcon(action->icon()), m_Commands.ShortName(command), m_Available);
        item->setData(kCommandRole, static_cast<int>(command));
    }
    m_OnToolbar->clear();
    if (QToolBar *bar = SelectedUserToolbar()) {
        for (CommandId command : m_Toolbars.Commands(bar)) {
            const int image = m_Toolbars.CommandImage(bar, command);
            const QIcon icon = image >= 0 ? m_Toolbars.UserImages()[image] : m_Commands.Action(command)->icon();
            auto *item = new QListWidgetItem(ListIcon(icon), m_Commands.ShortName(command), m_OnToolbar);
            item->setData(kCommandRole, static_cast<int>(command));
        }
    }
    m_Image->clear();
    m_Image->addItem(ListIcon({}), LoadResString(TextId::OwnCommandImage), -1);
    for (int i = 0; i < m_Toolbars.UserImages().size(); ++i)
        m_Image->addItem(m_Toolbars.UserImages()[i], LoadResString(TextId::UserImageName).arg(i + 1), i);
    UpdateButtons();
}

QToolBar *CustomizeToolbarsDialog::SelectedToolbar() const
{
    const QListWidgetItem *item = m_ToolbarList->currentItem();
    return item ? ToolbarOf(item->data(kToolbarRole)) : nullptr;
}

QToolBar *CustomizeToolbarsDialog::SelectedUserToolbar() const
{
    return m_CommandTarget->count() ? ToolbarOf(m_CommandTarget->currentData()) : nullptr;
}

void CustomizeToolbarsDialog::UpdateButtons()
{
    const bool user = m_Toolbars.UserToolbars().contains(SelectedToolbar());
    m_Create->setEnabled(m_Toolbars.UserToolbars().size() < ToolbarManager::kMaxUserToolbars);
    m_Rename->setEnabled(user);
    m_Delete->setEnabled(user);
    const bool target = SelectedUserToolbar() != nullptr;
    m_Add->setEnabled(target);
    m_Remove->setEnabled(target && m_OnToolbar->currentRow() >= 0);
    m_Image->setEnabled(target && m_OnToolbar->currentRow() >= 0 && m_Toolbars.UserImages().size() > 0);
}

QToolBar *CustomizeToolbarsDialog::CreateToolbarNamed(const QString &name)
{
    QToolBar *bar = m_Toolbars.CreateUserToolbar(name);
    if (bar)
        bar->show();
    FillToolbarList();
    if (bar)
        m_CommandTarget->setCurrentIndex(m_CommandTarget->findData(ToolbarValue(bar)));
    FillCommandLists();
    return bar;
}

void CustomizeToolbarsDialog::OnCreate()
{
    const QString suggested =
        LoadResString(TextId::NewToolbarDefaultName).arg(m_Toolbars.UserToolbars().size() + 1);
    bool ok = false;
    const QString name = AskToolbarName(this, LoadResString(TextId::NewToolbarDialogTitle), suggested, &ok);
    if (ok && !name.trimmed().isEmpty())
        CreateToolbarNamed(name);
}

void CustomizeToolbarsDialog::OnRename()
{
    QToolBar *bar = SelectedToolbar();
    if (!m_Toolbars.UserToolbars().contains(bar))
        return;
    bool ok = false;
    const QString name =
        AskToolbarName(this, LoadResString(TextId::RenameToolbarDialogTitle), bar->windowTitle(), &ok);
    if (ok && !name.trimmed().isEmpty()) {
        m_Toolbars.RenameUserToolbar(bar, name);
        FillToolbarList();
    }
}

void CustomizeToolbarsDialog::OnDelete()
{
    QToolBar *bar = SelectedToolbar();
    if (!m_Toolbars.UserToolbars().contains(bar))
        return;
    m_Toolbars.DeleteUserToolbar(bar);
    FillToolbarList();
    FillCommandLists();
}

void CustomizeToolbarsDialog::OnAdd()
{
    QToolBar *bar = SelectedUserToolbar();
    const QListWidgetItem *item = m_Available->currentItem();
    if (!bar || !item)
        return;
    m_Toolbars.AddCommand(bar, static_cast<CommandId>(item->data(kCommandRole).toInt()));
    FillCommandLists();
}

void CustomizeToolbarsDialog::OnRemove()
{
    QToolBar *bar = SelectedUserToolbar();
    const int row = m_OnToolbar->currentRow();
    if (!bar || row < 0)
        return;
    m_Toolbars.RemoveCommand(bar, row);
    FillCommandLists();
}

void CustomizeToolbarsDialog::OnImageChosen(int index)
{
    QToolBar *bar = SelectedUserToolbar();
    const QListWidgetItem *item = m_OnToolbar->currentItem();
    if (!bar || !item)
        return;
    const int row = m_OnToolbar->currentRow();
    m_Toolbars.SetCommandImage(bar, static_cast<CommandId>(item->data(kCommandRole).toInt()), m_Image->itemData(index).toInt());
    FillCommandLists();
    m_OnToolbar->setCurrentRow(row);
}

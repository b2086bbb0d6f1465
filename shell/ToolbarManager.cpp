#include "shell/ToolbarManager.h"

#include "model/ResString.h"
#include "shell/CommandActions.h"
#include "views/CommandId.h"

#include <QFileInfo>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSettings>
#include <QToolBar>

namespace {

const QString kGroup = QStringLiteral("Toolbars");

} // namespace

ToolbarManager::ToolbarManager(QMainWindow &window, CommandActions &commands, QSettings &settings, QObject *parent)
    : QObject(parent)
    , m_Window(window)
    , m_Commands(commands)
    , m_Settings(settings)
{
    m_TextLabels = m_Settings.value(kGroup + QStringLiteral("/TextLabels"), false).toBool();
}

QToolBar *ToolbarManager::NewToolBar(const QString &name, const QString &objectName)
{
    auto *bar = new QToolBar(name, &m_Window);
    bar->setObjectName(objectName);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(m_TextLabels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    m_Window.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

QToolBar *ToolbarManager::CreateStandardToolbar(const QList<CommandId> &commands)
{
    m_Standard = NewToolBar(LoadResString(TextId::StandardToolbarName), QStringLiteral("standardToolbar"));
    for (CommandId command : commands) {
        if (command == CommandId::Separator)
            m_Standard->addSeparator();
        else if (QAction *action = m_Commands.Action(command))
            m_Standard->addAction(action);
    }
    if (QAction *customize = m_Commands.Action(CommandId::CustomizeToolbars)) {
        m_Standard->addSeparator();
        m_Standard->addAction(customize);
    }
    return m_Standard;
}

QList<QToolBar *> ToolbarManager::UserToolbars() const
{
    QList<QToolBar *> bars;
    for (const UserToolbar &user : m_User)
        bars.append(user.bar);
    return bars;
}

QList<QToolBar *> ToolbarManager::AllToolbars() const
{
    QList<QToolBar *> bars;
    if (m_Standard)
        bars.append(m_Standard);
    bars += UserToolbars();
    return bars;
}

void ToolbarManager::SetTextLabels(bool on)
{
    m_TextLabels = on;
    for (QToolBar *bar : AllToolbars())
        bar->setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    Save();
}

ToolbarManager::UserToolbar *ToolbarManager::Find(QToolBar *toolbar)
{
    for (UserToolbar &user : m_User)
        if (user.bar == toolbar)
            return &user;
    return nullptr;
}

const ToolbarManager::UserToolbar *ToolbarManager::Find(QToolBar *toolbar) const
{
    for (const UserToolbar &user : m_User)
        if (user.bar == toolbar)
            return &user;
    return nullptr;
}

int ToolbarManager::FreeId() const
{
    for (int id = kFirstUserToolbarId; id < kFirstUserToolbarId + kMaxUserToolbars; ++id) {
        bool used = false;
        for (const UserToolbar &user : m_User)
            used = used || user.id == id;
        if (!used)
            return id;
    }
    return 0;
}

QToolBar *ToolbarManager::CreateUserToolbar(const QString &name)
{
    const int id = FreeId();
    if (id == 0 || name.trimmed().isEmpty())
        return nullptr;
    UserToolbar user;
    user.id = id;
    user.bar = NewToolBar(name.trimmed(), QStringLiteral("userToolbar%1").arg(id));
    m_User.append(user);
    Rebuild(m_User.last());
    Save();
    return user.bar;
}

void ToolbarManager::RenameUserToolbar(QToolBar *toolbar, const QString &name)
{
    if (!Find(toolbar) || name.trimmed().isEmpty())
        return;
    toolbar->setWindowTitle(name.trimmed());
    Save();
}

void ToolbarManager::DeleteUserToolbar(QToolBar *toolbar)
{
    for (qsizetype i = 0; i < m_User.size(); ++i) {
        if (m_User[i].bar != toolbar)
            continue;
        m_Window.removeToolBar(toolbar);
        toolbar->deleteLater();
        m_User.removeAt(i);
        Save();
            return;
    }
}

QList<CommandId> ToolbarManager::Commands(QToolBar *toolbar) const
{
    if (const UserToolbar *user = Find(toolbar))
        return user->commands;
    return {};
}

void ToolbarManager::AddCommand(QToolBar *toolbar, CommandId command)
{
    UserToolbar *user = Find(toolbar);
    if (!user || !m_Commands.Action(command))
        return;
    user->commands.append(command);
    Rebuild(*user);
    Save();
}

void ToolbarManager::RemoveCommand(QToolBar *toolbar, int position)
{
    UserToolbar *user = Find(toolbar);
    if (!user || position < 0 || position >= user->commands.size())
        return;
    const CommandId command = user->commands.takeAt(position);
    if (!user->commands.contains(command))
        user->images.remove(command);
    Rebuild(*user);
    Save();
}

QList<CommandId> ToolbarManager::AvailableCommands() const
{
    QList<CommandId> available;
    for (CommandId id : m_Commands.Ids()) {
        if (id != CommandId::CustomizeToolbars)
            available.append(id);
    }
    return available;
}

void ToolbarManager::LoadUserImages(const QString &path)
{
    if (!m_UserImages.isEmpty() || !QFileInfo(path).isFile())
        return;
    const QImage strip(path);
    if (strip.isNull() || strip.height() < 16)
        return;
    // A strip of 16x16 images, left to right; the top-left pixel's colour is
    // the transparent one, as in the toolbar bitmaps of old.
    const QColor transparent = strip.pixelColor(0, 0);
    for (int x = 0; x + 16 <= strip.width(); x += 16) {
        QImage image = strip.copy(x, 0, 16, 16).convertToFormat(QImage::Format_ARGB32);
        for (int py = 0; py < 16; ++py)
            for (int px = 0; px < 16; ++px)
                if (image.pixelColor(px, py) == transparent)
                    image.setPixelColor(px, py, Qt::transparent);
        m_UserImages.append(QIcon(QPixmap::fromImage(image)));
    }
}

int ToolbarManager::CommandImage(QToolBar *toolbar, CommandId command) const
{
    const UserToolbar *user = Find(toolbar);
    return user ? user->images.value(command, -1) : -1;
}

void ToolbarManager::SetCommandImage(QToolBar *toolbar, CommandId command, int image)
{
    UserToolbar *user = Find(toolbar);
    if (!user)
        return;
    if (image < 0 || image >= m_UserImages.size())
        user->images.remove(command);
    else
        user->images.insert(command, image);
    Rebuild(*user);
    Save();
}

void ToolbarManager::Rebuild(UserToolbar &user)
{
    user.bar->clear(); // removes the actions without deleting them
    qDeleteAll(user.proxies);
    user.proxies.clear();
    for (CommandId command : user.commands) {
        QAction *action = m_Commands.Action(command);
        if (!action)
            continue;
        const int image = user.images.value(command, -1);
        if (image < 0) {
            user.bar->addAction(action);
            continue;
        }
        // A button of its own with the user's image, acting as the command.
        auto *proxy = new QAction(m_UserImages[image], action->text(), user.bar);
        proxy->setToolTip(action->toolTip());
        proxy->setStatusTip(action->statusTip());
        proxy->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, proxy, [proxy, action] { proxy->setEnabled(action->isEnabled()); });
        connect(proxy, &QAction::triggered, action, &QAction::trigger);
        user.bar->addAction(proxy);
        user.proxies.append(proxy);
    }
    if (QAction *customize = m_Commands.Action(CommandId::CustomizeToolbars)) {
        user.bar->addSeparator();
        user.bar->addAction(customize);
    }
}

void ToolbarManager::RestoreUserToolbars()
{
    m_Settings.beginGroup(kGroup);
    const int count = m_Settings.beginReadArray(QStringLiteral("User"));
    QList<UserToolbar> restored;
    for (int i = 0; i < count && restored.size() < kMaxUserToolbars; ++i) {
        m_Settings.setArrayIndex(i);
        UserToolbar user;
        user.id = m_Settings.value(QStringLiteral("Id")).toInt();
        const QString name = m_Settings.value(QStringLiteral("Name")).toString().trimmed();
        if (user.id < kFirstUserToolbarId || user.id >= kFirstUserToolbarId + kMaxUserToolbars || name.isEmpty())
            continue;
        for (const QString &text : m_Settings.value(QStringLiteral("Commands")).toStringList()) {
            // Kept numbers of commands this build no longer has are dropped.
            const auto command = static_cast<CommandId>(text.toInt());
            if (m_Commands.Action(command))
                user.commands.append(command);
        }
        const QStringList images = m_Settings.value(QStringLiteral("Images")).toStringList();
        for (const QString &pair : images) {
            const auto command = static_cast<CommandId>(pair.section(u':', 0, 0).toInt());
            const int image = pair.section(u':', 1, 1).toInt();
            if (user.commands.contains(command) && image >= 0 && image < m_UserImages.size())
                user.images.insert(command, image);
        }
        user.bar = NewToolBar(name, QStringLiteral("userToolbar%1").arg(user.id));
        restored.append(user);
    }
    m_Settings.endArray();
    m_Settings.endGroup();
    m_User = restored;
    for (UserToolbar &user : m_User)
        Rebuild(user);
}

void ToolbarManager::Save() const
{
    m_Settings.beginGroup(kGroup);
    m_Settings.setValue(QStringLiteral("TextLabels"), m_TextLabels);
    m_Settings.remove(QStringLiteral("User"));
    m_Settings.beginWriteArray(QStringLiteral("User"), static_cast<int>(m_User.size()));
    for (int i = 0; i < m_User.size(); ++i) {
        const UserToolbar &user = m_User[i];
        m_Settings.setArrayIndex(i);
        m_Settings.setValue(QStringLiteral("Id"), user.id);
        m_Settings.setValue(QStringLiteral("Name"), user.bar->windowTitle());
        QStringList commands;
        for (CommandId command : user.commands)
            commands.append(QString::number(static_cast<int>(command)));
        m_Settings.setValue(QStringLiteral("Commands"), commands);
        QStringList images;
        for (auto it = user.images.cbegin(); it != user.images.cend(); ++it)
            images.append(QStringLiteral("%1:%2").arg(static_cast<int>(it.key())).arg(it.value()));
        m_Settings.setValue(QStringLiteral("Images"), images);
    }
    m_Settings.endArray();
    m_Settings.endGroup();
}

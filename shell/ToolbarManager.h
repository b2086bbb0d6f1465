#pragma once

#include "views/CommandId.h"

#include <QIcon>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class CommandActions;
class QAction;
class QMainWindow;
class QSettings;
class QToolBar;

// The frame's toolbars: the standard one and up to ten the user makes, each
// with its commands, shown or hidden, with or without text labels. The user
// toolbars and the label setting persist in the settings store; positions and
// visibility go with the window's saved state.
class ToolbarManager : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxUserToolbars = 10;
    static constexpr int kFirstUserToolbarId = 59432;

    ToolbarManager(QMainWindow &window, CommandActions &commands, QSettings &settings, QObject *parent = nullptr);

    // The standard toolbar "Стандартный" with its fixed commands.
    QToolBar *CreateStandardToolbar(const QList<CommandId> &commands);
    // Rebuilds the user toolbars the settings store remembers.
    void RestoreUserToolbars();

    QToolBar *StandardToolbar() const { return m_Standard; }
    QList<QToolBar *> UserToolbars() const;
    QList<QToolBar *> AllToolbars() const;

    bool TextLabels() const { return m_TextLabels; }
    void SetTextLabels(bool on);

    // A new, empty user toolbar; null when there are already ten.
    QToolBar *CreateUserToolbar(const QString &name);
    void RenameUserToolbar(QToolBar *toolbar, const QString &name);
    void DeleteUserToolbar(QToolBar *toolbar);
    // The commands of a user toolbar, in order.
    QList<CommandId> Commands(QToolBar *toolbar) const;
    void AddCommand(QToolBar *toolbar, CommandId command);
    void RemoveCommand(QToolBar *toolbar, int position);

    // Commands a user toolbar may carry: every command of the menus.
    QList<CommandId> AvailableCommands() const;

    // 16x16 images from ".\UserImages.bmp" in the working directory, when it
    // is there; a user toolbar can show one on a command's button.
    const QList<QIcon> &UserImages() const { return m_UserImages; }
    void LoadUserImages(const QString &path);
    // -1 for the command's own icon.
    int CommandImage(QToolBar *toolbar, CommandId command) const;
    void SetCommandImage(QToolBar *toolbar, CommandId command, int image);

    // Writes the user toolbars and the label setting to the settings store.
    void Save() const;

private:
    struct UserToolbar
    {
        QToolBar *bar = nullptr;
        int id = 0;
        QList<CommandId> commands;
        QMap<CommandId, int> images; // command -> user image
        QList<QAction *> proxies; // buttons showing a user image, owned by the bar
    };
    UserToolbar *Find(QToolBar *toolbar);
    const UserToolbar *Find(QToolBar *toolbar) const;
    QToolBar *NewToolBar(const QString &name, const QString &objectName);
    void Rebuild(UserToolbar &user);
    int FreeId() const;

    QMainWindow &m_Window;
    CommandActions &m_Commands;
    QSettings &m_Settings;
    QToolBar *m_Standard = nullptr;
    QList<UserToolbar> m_User;
    QList<QIcon> m_UserImages;
    bool m_TextLabels = false;
};

// Toolbar customisation (command 126, «Настройка...»): the standard toolbar,
// up to ten user toolbars with their commands, text labels, and all of it
// kept in the settings for the next run.

#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "shell/CustomizeToolbarsDialog.h"
#include "shell/ToolbarManager.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CommandId.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

namespace {

class ToolbarCustomisation : public WindowTest
{
protected:
    CustomizeToolbarsDialog *OpenDialog()
    {
        Frame().Commands().Action(CommandId::CustomizeToolbars)->trigger();
        Settle();
        return Frame().findChild<CustomizeToolbarsDialog *>();
    }

    // The command ids of a toolbar's buttons, 0 for a separator.
    static QList<CommandId> Buttons(const QToolBar *bar)
    {
        QList<CommandId> ids;
        for (const QAction *action : bar->actions())
            ids.append(action->isSeparator() ? CommandId::Separator : static_cast<CommandId>(action->data().toInt()));
        return ids;
    }

    static QPushButton *Button(const QDialog &dialog, const QString &text)
    {
        for (QPushButton *button : dialog.findChildren<QPushButton *>())
            if (button->text() == text)
                return button;
        throw std::runtime_error("no button " + text.toStdString());
    }

    // Puts a command on the toolbar chosen in the dialog, as a user does.
    void AddThroughDialog(CustomizeToolbarsDialog &dialog, CommandId command)
    {
        auto *available = dialog.findChild<QListWidget *>(QStringLiteral("availableCommands"));
        const QString name = Frame().Commands().ShortName(command);
        const QList<QListWidgetItem *> found = available->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        available->setCurrentItem(found[0]);
        Button(dialog, QStringLiteral("&Добавить >"))->click();
    }
};

TEST_F(ToolbarCustomisation, StandardToolbarCarriesItsCommandsAndTheCustomiseButton)
{
    ASSERT_TRUE(Start());
    const QToolBar *standard = Frame().Toolbars().StandardToolbar();
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(standard->windowTitle(), QStringLiteral("Стандартный"));
    EXPECT_EQ(Buttons(standard), (QList<CommandId>{CommandId::FileNew, CommandId::FileOpen, CommandId::FileSave, CommandId::Separator, CommandId::EditCut, CommandId::EditCopy, CommandId::EditPaste, CommandId::Separator, CommandId::FilePrint, CommandId::AppAbout, CommandId::Separator, CommandId::CustomizeToolbars}));
    EXPECT_EQ(Frame().Commands().Action(CommandId::CustomizeToolbars)->text(), QStringLiteral("Настройка..."));
}

TEST_F(ToolbarCustomisation, PaneMenuOffersTheCustomiseCommand)
{
    ASSERT_TRUE(Start());
    std::unique_ptr<QMenu> menu(Frame().createPopupMenu());
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions().contains(Frame().Commands().Action(CommandId::CustomizeToolbars)));
}

TEST_F(ToolbarCustomisation, CommandOpensOneModelessDialog)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());

    EXPECT_EQ(OpenDialog(), dialog);
    EXPECT_EQ(Frame().findChildren<CustomizeToolbarsDialog *>().size(), 1);
    dialog->close();
}

TEST_F(ToolbarCustomisation, AtMostTenUserToolbarsEachWithTheCustomiseButton)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    QStringList names;
    for (int i = 1; i <= ToolbarManager::kMaxUserToolbars; ++i) {
        QToolBar *bar = dialog->CreateToolbarNamed(QStringLiteral("Панель %1").arg(i));
        ASSERT_NE(bar, nullptr) << i;
        EXPECT_TRUE(bar->isVisible());
        EXPECT_EQ(bar->windowTitle(), QStringLiteral("Панель %1").arg(i));
        EXPECT_EQ(Buttons(bar), (QList<CommandId>{CommandId::Separator, CommandId::CustomizeToolbars}));
        names.append(bar->objectName());
    }
    EXPECT_EQ(names.first(), QStringLiteral("userToolbar59432"));
    EXPECT_EQ(names.last(), QStringLiteral("userToolbar59441"));
    EXPECT_EQ(dialog->CreateToolbarNamed(QStringLiteral("Одиннадцатая")), nullptr);
    EXPECT_EQ(Frame().Toolbars().UserToolbars().size(), ToolbarManager::kMaxUserToolbars);
    EXPECT_FALSE(Button(*dialog, QStringLiteral("&Создать..."))->isEnabled());
}

TEST_F(ToolbarCustomisation, CommandsAndTextLabelsPersist)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    QToolBar *bar = dialog->CreateToolbarNamed(QStringLiteral("Моя панель"));
    ASSERT_NE(bar, nullptr);
    AddThroughDialog(*dialog, CommandId::FileOpen);
    AddThroughDialog(*dialog, CommandId::AppAbout);
    AddThroughDialog(*dialog, CommandId::EditCopy);
    // Remove the first one again.
    auto *onToolbar = dialog->findChild<QListWidget *>(QStringLiteral("toolbarCommands"));
    onToolbar->setCurrentRow(0);
    Button(*dialog, QStringLiteral("< У&брать"))->click();
    EXPECT_EQ(Frame().Toolbars().Commands(bar), (QList<CommandId>{CommandId::AppAbout, CommandId::EditCopy}));
    EXPECT_EQ(Buttons(bar), (QList<CommandId>{CommandId::AppAbout, CommandId::EditCopy, CommandId::Separator, CommandId::CustomizeToolbars}));
    // A disabled command is disabled on the user toolbar too.
    EXPECT_FALSE(bar->actions().at(1)->isEnabled());

    dialog->findChild<QCheckBox *>(QStringLiteral("textLabels"))->setChecked(true);
    for (const QToolBar *each : Frame().Toolbars().AllToolbars())
        EXPECT_EQ(each->toolButtonStyle(), Qt::ToolButtonTextUnderIcon) << each->windowTitle().toStdString();
    dialog->close();

    Stop();
    ASSERT_TRUE(Start());
    const QList<QToolBar *> restored = Frame().Toolbars().UserToolbars();
    ASSERT_EQ(restored.size(), 1);
    EXPECT_EQ(restored[0]->windowTitle(), QStringLiteral("Моя панель"));
    EXPECT_EQ(Frame().Toolbars().Commands(restored[0]), (QList<CommandId>{CommandId::AppAbout, CommandId::EditCopy}));
    EXPECT_EQ(Buttons(restored[0]), (QList<CommandId>{CommandId::AppAbout, CommandId::EditCopy, CommandId::Separator, CommandId::CustomizeToolbars}));
    EXPECT_TRUE(Frame().Toolbars().TextLabels());
    for (const QToolBar *each : Frame().Toolbars().AllToolbars())
        EXPECT_EQ(each->toolButtonStyle(), Qt::ToolButtonTextUnderIcon) << each->windowTitle().toStdString();
}

TEST_F(ToolbarCustomisation, DeletedToolbarStaysDeleted)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->CreateToolbarNamed(QStringLiteral("Первая")), nullptr);
    ASSERT_NE(dialog->CreateToolbarNamed(QStringLiteral("Вторая")), nullptr);
    auto *list = dialog->findChild<QListWidget *>(QStringLiteral("toolbarList"));
    const QList<QListWidgetItem *> first = list->findItems(QStringLiteral("Первая"), Qt::MatchExactly);
    ASSERT_EQ(first.size(), 1);
    list->setCurrentItem(first[0]);
    Button(*dialog, QStringLiteral("&Удалить"))->click();
    dialog->close();
    Stop();

    ASSERT_TRUE(Start());
    const QList<QToolBar *> restored = Frame().Toolbars().UserToolbars();
    ASSERT_EQ(restored.size(), 1);
    EXPECT_EQ(restored[0]->windowTitle(), QStringLiteral("Вторая"));
}

// The name dialog shows its whole title; a user toolbar is made by typing.
TEST_F(ToolbarCustomisation, NewToolbarNameDialogShowsItsTitleAndTakesTheName)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    int titleWidth = 0;
    int dialogWidth = 0;
    QTimer::singleShot(0, dialog, [&] {
        auto *ask = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!ask)
            return;
        titleWidth = ask->fontMetrics().horizontalAdvance(ask->windowTitle());
        dialogWidth = ask->width();
        auto *edit = ask->findChild<QLineEdit *>();
        edit->setText(QStringLiteral("Смены"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    Button(*dialog, QStringLiteral("&Создать..."))->click();
    ASSERT_GT(titleWidth, 0) << "no name dialog opened";
    // Room for the title besides the window's icon and buttons.
    EXPECT_GE(dialogWidth, titleWidth + 120);
    ASSERT_EQ(Frame().Toolbars().UserToolbars().size(), 1);
    EXPECT_EQ(Frame().Toolbars().UserToolbars()[0]->windowTitle(), QStringLiteral("Смены"));
}

// Commands with and without an image start their names at the same place.
TEST_F(ToolbarCustomisation, CommandListsKeepRoomForAnImageInEveryRow)
{
    ASSERT_TRUE(Start());
    CustomizeToolbarsDialog *dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->CreateToolbarNamed(QStringLiteral("Своя"));
    AddThroughDialog(*dialog, CommandId::FileOpen);       // has an image
    AddThroughDialog(*dialog, CommandId::DrawByStreets);  // has none
    for (const char *name : {"availableCommands", "toolbarCommands"}) {
        auto *list = dialog->findChild<QListWidget *>(QString::fromLatin1(name));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->iconSize(), QSize(16, 16)) << name;
        ASSERT_GT(list->count(), 1) << name;
        for (int i = 0; i < list->count(); ++i) {
            EXPECT_FALSE(list->item(i)->icon().pixmap(16, 16).isNull())
                << name << ": " << list->item(i)->text().toStdString();
        }
    }
}

} // namespace

// User images: ".\UserImages.bmp" in the working directory, when there, is a
// strip of 16x16 images that buttons on user toolbars can show.

#include "shell/CMainFrame.h"
#include "shell/CommandActions.h"
#include "shell/ToolbarManager.h"
#include "tests/gui/GuiTestSupport.h"
#include "views/CommandId.h"

#include <QDir>
#include <QImage>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

// Runs the window with the working directory set to the test's directory.
class UserImages : public WindowTest
{
protected:
    void SetUp() override
    {
        m_Previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_Dir.Path()));
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QDir::setCurrent(m_Previous);
    }

    // Two images: a red square and a blue one, both on a magenta ground, the
    // strip's transparent colour (its top-left pixel).
    void WriteStrip() const
    {
        QImage strip(32, 16, QImage::Format_RGB32);
        strip.fill(QColor(255, 0, 255));
        for (int y = 4; y < 12; ++y)
            for (int x = 4; x < 12; ++x) {
                strip.setPixelColor(x, y, Qt::red);
                strip.setPixelColor(16 + x, y, Qt::blue);
            }
        ASSERT_TRUE(strip.save(m_Dir.FilePath(QStringLiteral("UserImages.bmp")), "BMP"));
    }

    QString m_Previous;
};

TEST_F(UserImages, WithoutTheFileThereAreNone)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame().Toolbars().UserImages().isEmpty());
}

TEST_F(UserImages, StripGivesImagesAButtonShowsOneAndItIsKept)
{
    WriteStrip();
    ASSERT_TRUE(Start());
    ToolbarManager &toolbars = Frame().Toolbars();
    ASSERT_EQ(toolbars.UserImages().size(), 2);
    const QImage second = toolbars.UserImages()[1].pixmap(16, 16).toImage();
    EXPECT_EQ(second.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(second.pixelColor(0, 0).alpha(), 0) << "the strip's ground is transparent";

    QToolBar *bar = toolbars.CreateUserToolbar(QStringLiteral("Моя"));
    ASSERT_NE(bar, nullptr);
    toolbars.AddCommand(bar, CommandId::AppAbout);
    toolbars.SetCommandImage(bar, CommandId::AppAbout, 1);

    // The button shows the image and follows the command's enabled state.
    QAction *button = bar->actions().value(0);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    QAction *about = Frame().Commands().Action(CommandId::AppAbout);
    about->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    about->setEnabled(true);
    EXPECT_TRUE(button->isEnabled());

    Stop();
    ASSERT_TRUE(Start());
    const QList<QToolBar *> restored = Frame().Toolbars().UserToolbars();
    ASSERT_EQ(restored.size(), 1);
    EXPECT_EQ(Frame().Toolbars().CommandImage(restored[0], CommandId::AppAbout), 1);
}

} // namespace

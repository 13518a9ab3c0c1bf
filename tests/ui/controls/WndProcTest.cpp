#include "ui/controls/UCLXPThemeManager.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class TCounting : public TUCLWndProcComponent {
public:
    using TUCLWndProcComponent::TUCLWndProcComponent;
    int Seen = 0;
    bool Swallow = false;

protected:
    bool WndProc(QEvent* Event) override
    {
        if (Event->type() == QEvent::User)
            ++Seen;
        return Swallow;
    }
};

class TReceiver : public QWidget {
public:
    int Got = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            ++Got;
        return QWidget::event(e);
    }
};

void SendUser(QObject* To)
{
    QEvent e(QEvent::User);
    QCoreApplication::sendEvent(To, &e);
}

TEST(WndProcComponent, WatchesOwnerOnceAndPassesEventsOn)
{
    TReceiver owner;
    auto* hook = new TCounting(&owner);
    EXPECT_FALSE(hook->Hooked()) << "created unhooked";
    hook->Init();
    hook->Init();
    EXPECT_FALSE(hook->NewWndProc()) << "hooking twice does nothing";
    SendUser(&owner);
    EXPECT_EQ(hook->Seen, 1);
    EXPECT_EQ(owner.Got, 1);
    hook->Swallow = true;
    SendUser(&owner);
    EXPECT_EQ(owner.Got, 1);
    hook->RestoreWndProc();
    hook->RestoreWndProc();
    SendUser(&owner);
    EXPECT_EQ(hook->Seen, 2);
    EXPECT_EQ(owner.Got, 2);
}

TEST(WndProcComponent, OwnerThatIsNoWidgetIsNeverHooked)
{
    QObject plain;
    TCounting onPlain(&plain);
    onPlain.Init();
    EXPECT_FALSE(onPlain.Hooked());
    TCounting orphan;
    orphan.Init();
    EXPECT_FALSE(orphan.Hooked());
    EXPECT_FALSE(LibraryThemeManager().Hooked());
}

TEST(WndProcComponent, DisabledComponentDoesNotHookOnLoad)
{
    QWidget owner;
    TCounting hook(&owner);
    hook.SetEnabled(false);
    hook.BeginLoading();
    hook.Loaded();
    EXPECT_FALSE(hook.Hooked());
    hook.SetEnabled(true);
    hook.Loaded();
    EXPECT_TRUE(hook.Hooked());
}

TEST(WndProcComponent, SilentRemovalLeavesOwnerAloneAndClearsSilent)
{
    TReceiver owner;
    TCounting hook(&owner);
    hook.Init();
    hook.Silent = true;
    hook.RestoreWndProc();
    EXPECT_FALSE(hook.Silent);
    EXPECT_FALSE(hook.Hooked());
    SendUser(&owner);
    EXPECT_EQ(hook.Seen, 0) << "an unhooked component sees nothing";
    EXPECT_EQ(owner.Got, 1);
}

TEST(WndProcComponent, ApplicationEventsWithHandleApp)
{
    struct TApp : TUCLWndProcComponent {
        using TUCLWndProcComponent::TUCLWndProcComponent;
        int Seen = 0;
        bool AppWndProc(QEvent* Event) override
        {
            Seen += Event->type() == QEvent::User;
            return false;
        }
    };
    QWidget owner;
    TApp hook(&owner);
    hook.HandleApp = true;
    hook.Init();
    SendUser(QCoreApplication::instance());
    EXPECT_EQ(hook.Seen, 1);
    hook.RestoreWndProc();
    SendUser(QCoreApplication::instance());
    EXPECT_EQ(hook.Seen, 1);
}

} // namespace

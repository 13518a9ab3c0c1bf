// The change contract of settings objects and the controller/link pair.
#include "ui/controls/UCLBase.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A settings object with one value, following the library's setter pattern,
// and an owned sub-object chained through SubObjectChanged.
class TTestSettings : public TUCLObject {
    ZK_CLASS(TTestSettings, TUCLObject)
public:
    int Value() const { return FValue; }
    void SetValue(int v)
    {
        if (v == FValue)
            return;
        FValue = v;
        Changed();
    }

private:
    int FValue = 0;
};

class TOtherSettings : public TUCLObject {
    ZK_CLASS(TOtherSettings, TUCLObject)
};

struct Recorder {
    std::vector<std::string> calls;
    TNotifyEvent Handler(const std::string& name)
    {
        return [this, name](TPersistent* sender) {
            calls.push_back(name + (sender ? std::string(":") + sender->ClassName() : ":nil"));
        };
    }
};

class TTestController : public TUCLBaseController {
    ZK_CLASS(TTestController, TUCLBaseController)
};

}   // namespace

TEST(SettingsObject, NotifiesOncePerRealChangeOrGroup)
{
    struct Case {
        const char* name;
        void (*steps)(TTestSettings&);
        int expected;
    };
    const Case cases[] = {
        {"same value", [](TTestSettings& s) { s.SetValue(0); }, 0},
        {"one change", [](TTestSettings& s) { s.SetValue(1); }, 1},
        {"group ended with notify",
         [](TTestSettings& s) {
             s.BeginUpdate();
             s.SetValue(1);
             s.SetValue(2);
             s.SetValue(3);
             s.EndUpdate(true);
         },
         1},
        {"group ended silently",
         [](TTestSettings& s) {
             s.BeginUpdate();
             s.SetValue(1);
             s.SetValue(2);
             s.SetValue(3);
             s.EndUpdate(false);
         },
         0},
        {"the update state is a flag, not a counter",
         [](TTestSettings& s) {
             s.BeginUpdate();
             s.BeginUpdate();
             s.EndUpdate(false);
             s.SetValue(5);
         },
         1},
    };
    for (const Case& c : cases) {
        TTestSettings s;
        int count = 0;
        s.OnChange = [&](TPersistent* sender) {
            EXPECT_EQ(sender, &s);
            ++count;
        };
        c.steps(s);
        EXPECT_EQ(count, c.expected) << c.name;
    }
}

TEST(SettingsObject, WithoutHandlerAcceptsChangesAndChainsThroughSubObjects)
{
    TTestSettings lonely;
    lonely.SetValue(3);
    EXPECT_EQ(lonely.Value(), 3);

    // An owner forwards its part's change as its own, with itself as sender.
    TTestSettings owner, part;
    Recorder rec;
    owner.OnChange = rec.Handler("owner");
    part.OnChange = [&](TPersistent* sender) { owner.SubObjectChanged(sender); };
    part.SetValue(7);
    EXPECT_EQ(rec.calls, std::vector<std::string>{"owner:TTestSettings"});
}

TEST(SettingsObject, AssigningAnUnrelatedClassRaisesTheConversionError)
{
    TTestSettings s;
    TOtherSettings other;
    EXPECT_NO_THROW(s.Assign(s));
    try {
        s.Assign(other);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "TOtherSettings kann nicht zu TTestSettings zugewiesen werden");
    }
}

TEST(Controller, NotifiesItselfThenLinksInOrderExceptWhileLoadingOrUpdating)
{
    TTestController controller;
    Recorder rec;
    controller.OnChange = rec.Handler("controller");
    TUCLChangeLink a, b;
    a.OnChange = rec.Handler("a");
    b.OnChange = rec.Handler("b");
    controller.AddLink(&a);
    controller.AddLink(&b);
    controller.AddLink(nullptr);   // ignored
    EXPECT_EQ(controller.Clients().size(), 2u);

    controller.BeginLoading();
    controller.Changed();
    controller.BeginUpdate();
    controller.Loaded();
    controller.Changed();
    EXPECT_TRUE(rec.calls.empty());

    controller.EndUpdate(true);
    EXPECT_EQ(rec.calls, (std::vector<std::string>{"controller:TTestController", "a:TTestController",
                                                   "b:TTestController"}));
}

TEST(Controller, LinksUnregisterOnEitherSideOfDestruction)
{
    auto controller = std::make_unique<TTestController>();
    auto first = std::make_unique<TUCLChangeLink>();
    TUCLChangeLink second;
    controller->AddLink(first.get());
    controller->AddLink(&second);
    EXPECT_EQ(first->Sender, controller.get());

    first.reset();   // unregisters itself
    ASSERT_EQ(controller->Clients().size(), 1u);
    EXPECT_EQ(controller->Clients()[0], &second);

    controller.reset();   // leaves the remaining link unbound
    EXPECT_EQ(second.Sender, nullptr);
}   // destroying the unbound link is harmless

TEST(Controller, LinkRegisteredTwiceIsNotifiedTwiceAndRemovedOneEntryAtATime)
{
    TTestController controller;
    int count = 0;
    {
        TUCLChangeLink link;
        link.OnChange = [&](TPersistent*) { ++count; };
        controller.AddLink(&link);
        controller.AddLink(&link);
        controller.Changed();
        EXPECT_EQ(count, 2);

        controller.RemoveLink(&link);
        EXPECT_EQ(controller.Clients().size(), 1u);
        // Still bound while an entry remains, so its destruction removes it.
        EXPECT_EQ(link.Sender, &controller);
    }
    EXPECT_TRUE(controller.Clients().empty());
    controller.Changed();
    EXPECT_EQ(count, 2);
}

TEST(Controller, HandlerThatRemovesLinksDuringTheRoundIsSafe)
{
    TTestController controller;
    auto a = std::make_unique<TUCLChangeLink>();
    auto b = std::make_unique<TUCLChangeLink>();
    int bCalls = 0;
    a->OnChange = [&](TPersistent*) {
        controller.RemoveLink(a.get());
        controller.RemoveLink(b.get());
    };
    b->OnChange = [&](TPersistent*) { ++bCalls; };
    controller.AddLink(a.get());
    controller.AddLink(b.get());
    controller.Changed();
    EXPECT_EQ(bCalls, 0);
    EXPECT_TRUE(controller.Clients().empty());
}

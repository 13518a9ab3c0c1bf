#include "platform/ClassRegistry.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TTestBauteil : public TPersistent {
    ZK_ABSTRACT_CLASS(TTestBauteil, TPersistent)
};
class TTestGrundBT : public TTestBauteil {
    ZK_ABSTRACT_CLASS(TTestGrundBT, TTestBauteil)
};
class TBTAnd : public TTestGrundBT {
    ZK_CLASS(TBTAnd, TTestGrundBT)
};
class TBTOr : public TTestGrundBT {
    ZK_CLASS(TBTOr, TTestGrundBT)
};

// Names a C++ identifier cannot carry: CP1252 letters, and two names that
// differ only in letter case.
const TClassInfo UmlautClass{"TSchalt\xC4r", &TPersistent::StaticClass(), nullptr};
const TClassInfo FooClass{"TFoo", &TPersistent::StaticClass(), nullptr};
const TClassInfo FOOClass{"TFOO", &TPersistent::StaticClass(), nullptr};

class ClassRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { UnregisterAllClassesForTest(); }
    void TearDown() override { UnregisterAllClassesForTest(); }
};

std::vector<const TClassInfo*> Order(std::initializer_list<const TClassInfo*> l) { return l; }

}  // namespace

TEST_F(ClassRegistryTest, RegisteringAClassRegistersItsAncestorsOnce)
{
    RegisterClass(TBTAnd::StaticClass());
    const auto afterAnd = Order({&TBTAnd::StaticClass(), &TTestGrundBT::StaticClass(),
                                 &TTestBauteil::StaticClass(), &TPersistent::StaticClass()});
    EXPECT_EQ(RegisteredClasses(), afterAnd);

    RegisterClass(TBTAnd::StaticClass());   // twice changes nothing
    EXPECT_EQ(RegisteredClasses(), afterAnd);

    RegisterClass(TBTOr::StaticClass());    // ancestors are there already
    auto afterOr = afterAnd;
    afterOr.push_back(&TBTOr::StaticClass());
    EXPECT_EQ(RegisteredClasses(), afterOr);
}

TEST_F(ClassRegistryTest, AnAncestorRegisteredFirstKeepsItsPlace)
{
    RegisterClass(TTestGrundBT::StaticClass());
    RegisterClass(TBTAnd::StaticClass());
    EXPECT_EQ(RegisteredClasses(), Order({&TTestGrundBT::StaticClass(), &TTestBauteil::StaticClass(),
                                          &TPersistent::StaticClass(), &TBTAnd::StaticClass()}));
}

TEST_F(ClassRegistryTest, LookUpIgnoresLetterCase)
{
    RegisterClass(TBTAnd::StaticClass());
    RegisterClass(UmlautClass);
    const struct {
        const char* name;
        const TClassInfo* expected;
    } cases[] = {
        {"tbtand", &TBTAnd::StaticClass()},
        {"TBTAND", &TBTAnd::StaticClass()},
        {"TBTAnd", &TBTAnd::StaticClass()},
        {"ttestgrundbt", &TTestGrundBT::StaticClass()},   // only a descendant was registered
        {"TTESTBAUTEIL", &TTestBauteil::StaticClass()},
        {"tschalt\xE4r", &UmlautClass},                  // CP1252 ä / Ä
        {"TBTAnd ", nullptr},
        {"TBTOr", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetClass(c.name), c.expected);
    }
}

TEST_F(ClassRegistryTest, TheFirstRegisteredOfEqualNamesWins)
{
    RegisterClass(FOOClass);
    RegisterClass(FooClass);
    EXPECT_EQ(&FindClass("tfoo"), &FOOClass);
    EXPECT_EQ(RegisteredClasses().size(), 3u);   // both kept, plus TPersistent
}

TEST_F(ClassRegistryTest, UnknownNameRaisesClassNotFound)
{
    RegisterClass(TBTAnd::StaticClass());
    const struct {
        const char* name;
        const char* message;
    } cases[] = {
        {"TBTUnbekannt", "Klasse TBTUnbekannt nicht gefunden"},
        {"T\xE4", "Klasse T\xC3\xA4 nicht gefunden"},   // CP1252 name, UTF-8 message
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            FindClass(c.name);
            ADD_FAILURE() << "found";
        } catch (const EClassNotFound& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST_F(ClassRegistryTest, CreatesByNameAndRefusesAbstractClasses)
{
    RegisterClass(TBTAnd::StaticClass());
    std::unique_ptr<TPersistent> obj(CreateObjectByName("tbtand"));
    ASSERT_NE(dynamic_cast<TBTAnd*>(obj.get()), nullptr);
    EXPECT_STREQ(obj->ClassName(), "TBTAnd");
    EXPECT_TRUE(obj->ClassType().InheritsFrom(TTestBauteil::StaticClass()));
    EXPECT_FALSE(obj->ClassType().InheritsFrom(TBTOr::StaticClass()));

    EXPECT_THROW(CreateObjectByName("TTestGrundBT"), EClassNotFound);
    EXPECT_THROW(CreateObjectByName("TBTOr"), EClassNotFound);
}

// Every dialog the program can open without a person, in each of its three
// languages: no caption, label, button, list entry or tab reads "???", the
// answer of the term table for a term it does not hold.
#include "shell/ShellFixture.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/DLG_Format.h"
#include "dialogs/DLG_Frame.h"
#include "dialogs/ModalForm.h"
#include "engine/Bauteil.h"
#include "engine/Bibo.h"
#include "panel/framework/Design.h"
#include "panel/framework/FP_Element.h"
#include "panel/framework/Frontplatte.h"
#include "panel/framework/PreviewDlg.h"
#include "platform/ClassRegistry.h"
#include "platform/Dialogs.h"
#include "shell/Compiler.h"
#include "shell/InfoDlg.h"
#include "shell/MaterialsList.h"
#include "shell/OnlineUpdate.h"
#include "project/ProjectFile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTabBar>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

// The texts a person reads on the form and its children, each with the
// object that shows it.
std::vector<std::pair<QString, QString>> ShownTexts(QWidget& form)
{
    std::vector<std::pair<QString, QString>> texts{{form.objectName(), form.windowTitle()}};
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                       : w->objectName();
        auto add = [&](const QString& text) { texts.emplace_back(name, text); };
        add(w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w))
            add(label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            add(button->text());
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            add(group->title());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        else if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                add(list->item(i)->text());
    }
    return texts;
}

class DialogTextsTest : public TShellFixture {
protected:
    // The forms of one language: "form: object: text" for every untranslated text.
    std::vector<std::string> Untranslated;

    // Records the untranslated texts of a form; values that read "???" until
    // they are known are named in `values`.
    void Check(QWidget& form, const std::string& opener, const std::set<QString>& values = {})
    {
        for (const auto& [name, text] : ShownTexts(form))
            if (text.contains(QStringLiteral("???")) && !values.count(name))
                Untranslated.push_back(opener + ": " + name.toStdString() + ": " + text.toStdString());
    }
    // Runs an opener; every form it shows is checked and cancelled, every
    // question answered with Cancel.
    void Open(const std::string& opener, const std::function<void()>& open)
    {
        TModalHook questions(std::vector<TModalAnswer>{});
        const TFormHook::TAction check = [&](TModalForm& form) { Check(form, opener); };
        TFormHook forms(std::vector<TFormHook::TAction>(8, check));
        open();
    }
    // A form made and shown here.
    template <class Form>
    void Show(const std::string& opener, const std::set<QString>& values = {})
    {
        Form form;
        form.show();
        Check(form, opener, values);
    }
};

TEST_F(DialogTextsTest, NoDialogShowsAnUnknownTermInAnyLanguage)
{
    for (Integer language : {0, 1, 2}) {
        SCOPED_TRACE(language);
        WriteFile("SPRACHE.INI", "[Sprache]\r\nSprache=" + QByteArray::number(language) + "\r\n");
        TForm1& form = Create();
        ASSERT_EQ(LanguageIndex, language);
        Untranslated.clear();
        auto& panel = static_cast<TFrontplatte&>(*form.Frontplatte);

        // Every component of the library as the palette places it, with the
        // settings of its front-panel element where it owns one.
        std::vector<AnsiString> classNames;
        ForEachRegisteredComponent(
            [&](const TClassInfo& info, TIOBauteil&) { classNames.push_back(info.Name); });
        for (const AnsiString& className : classNames) {
            std::unique_ptr<TBauteil> source(CreateLibraryObject(className));
            if (className == "TMakro") {   // a macro comes from its file, with its board: only its name row
                Open(className, [&] { source->EditProperties(); });
                continue;
            }
            TMemoryStream stream;
            WritePlacingStream(*source, stream);
            try {
                form.MainBoard->PasteFromStream(stream, FileVersion);
            } catch (const EClassNotFound&) {
                continue;   // the program does not have its element class: the palette refuses it too
            }
            form.MainBoard->EndDrag(0, 0, 0, TMouseButton::mbLeft);
            // The component follows its pins' stubs in the board's list.
            const auto placedAt = std::find_if(form.MainBoard->Objects.rbegin(), form.MainBoard->Objects.rend(),
                                               [&](TBauteil* o) { return o->ClassName() == className; });
            ASSERT_NE(placedAt, form.MainBoard->Objects.rend()) << className;
            TBauteil* placed = *placedAt;
            Open(className, [&] { placed->EditProperties(); });
            if (auto* owner = dynamic_cast<TIOBauteil*>(placed); owner && owner->PanelElement)
                Open(className + " element", [&] { owner->PanelElement->EditProperties(); });
        }
        // The panel's own elements: decorations and the elements of components.
        for (const TClassInfo* info : RegisteredClasses())
            if (info->Create && info->InheritsFrom(TFP_Element::StaticClass()) &&
                !info->InheritsFrom(TDesign::StaticClass())) {
                auto* element = dynamic_cast<TFP_Element*>(panel.Root->AddElement(info->Name));
                ASSERT_NE(element, nullptr) << info->Name;
                Open(info->Name, [&] { element->EditProperties(); });
                Open(std::string(info->Name) + " look", [&] { element->EditPanelLook(); });
            }
        Open("panel window", [&] { panel.SetupBtnClick(); });
        Open("panel", [&] { panel.Root->EditProperties(); });

        Show<TCompiler>("compiler");
        Show<TInfoDlg>("about box");
        // The update's date and size read "???" until the server was asked.
        Show<TIUpdater>("update", {"L_UpdateDatum", "L_UpdateSize"});
        Show<TObjektliste>("materials list");
        Show<TPreviewDlg>("print preview");
        Show<TFormatDlg>("number format");
        Show<TPanelDlg>("frame and background");

        EXPECT_EQ(Untranslated, std::vector<std::string>{});
        form_.reset();
        ResetGlobals();
    }
}

} // namespace

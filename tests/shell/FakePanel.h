// A front panel for the main window's tests: the test designs of the support
// library as root design, with a page to paste onto, and counters of what the
// window asked of it.
#pragma once

#include "support/PanelDoubles.h"

#include "engine/PanelInterfaces.h"
#include "platform/Stream.h"
#include "shell/MainForm.h"

#include <memory>

class TFakeFrontplatte : public IFrontplatte {
public:
    IDesign* RootDesign() const override { return &root_; }
    IDesign* ShownDesign() const override { return shown_ ? shown_ : &root_; }
    void ShowPanel(IDesign* design) override { shown_ = design; }
    Integer AktiveFrontplatte() const override { return ActivePage; }
    void CheckeFrontplattenNummern() override { ++PageChecks; }
    bool AutoSave() const override { return false; }
    void SaveDefaultSettings(const AnsiString&) override {}
    void ResetToNewProject() override { ++Resets; }
    // The window block: one Integer.
    void WriteToStream(TStream&, TWriter& writer) override { writer.WriteInteger(ActivePage); }
    void ReadFromStream(TStream&, TReader& reader, Byte) override { ActivePage = reader.ReadInteger(); }

    TFakeDesign& Root() { return root_; }
    Integer ActivePage = 0;
    Integer PageChecks = 0;
    Integer Resets = 0;

private:
    mutable TFakeDesign root_;
    IDesign* shown_ = nullptr;
};

// Gives the window fake panels, now and for every file it reads.
inline TFakeFrontplatte& UseFakePanels(TForm1& form)
{
    form.CreateFrontplatte = [] { return std::make_unique<TFakeFrontplatte>(); };
    form.Frontplatte = form.CreateFrontplatte();
    form.Links.Panel = form.Frontplatte.get();
    form.CurrentDesign = form.Frontplatte->RootDesign();
    return static_cast<TFakeFrontplatte&>(*form.Frontplatte);
}

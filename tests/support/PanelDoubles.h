// Stand-ins for the front panel: an element and an element container with the
// record layouts of the real ones (element: Left, Top; design block: no
// decorations, then the container's settings), so boards with elements and
// macros can be written and read without the panel framework.
#pragma once

#include "engine/PanelInterfaces.h"

#include <memory>
#include <vector>

class TFakeDesign;

class TFakeElement : public IFP_Element {
public:
    explicit TFakeElement(TFakeDesign* design = nullptr, TIOBauteil* linked = nullptr)
        : design_(design), linked_(linked)
    {
    }
    // A test's element may end before the component it was given to: the
    // component must not keep pointing at it.
    ~TFakeElement() override;

    void SetElementName(const AnsiString& name) override { name_ = name; }
    AnsiString ElementName() const override { return name_; }
    IDesign* Design() const override;
    TIOBauteil* LinkedComponent() const override { return linked_; }
    void SetLinkedComponent(TIOBauteil* component) override { linked_ = component; }
    Integer ZOrder() const override { return zOrder_; }
    void SetZOrder(Integer zOrder) override { zOrder_ = zOrder; }
    Integer FrontplattenNR() const override { return page_; }
    void SetFrontplattenNR(Integer page) override { page_ = page; }
    AnsiString Hint() const override { return HintText; }
    bool AdjustableAtRunTime() const override { return Adjustable; }
    bool GetBisteTransparent() const override { return transparent_; }
    void SetBisteTransparent(bool transparent) override { transparent_ = transparent; }
    Integer Left() const override { return left_; }
    Integer Top() const override { return top_; }
    Integer Width() const override { return width_; }
    Integer Height() const override { return height_; }
    void SetBounds(Integer left, Integer top, Integer width, Integer height) override;

    AnsiString HintText;
    bool Adjustable = false;

private:
    TFakeDesign* design_;
    TIOBauteil* linked_;
    AnsiString name_;
    Integer zOrder_ = 0;
    Integer page_ = 0;
    bool transparent_ = false;
    Integer left_ = 0;
    Integer top_ = 0;
    Integer width_ = 100;
    Integer height_ = 50;
};

// The text display and the text entry elements as their components see
// them: the display counts how often its text was set, the entry takes a
// typed text and announces it like the operator's RETURN.
class TFakeTextDisplay : public TFakeElement, public ITextDisplayElement {
public:
    using TFakeElement::TFakeElement;
    AnsiString NDUserText() const override { return text_; }
    void SetNDUserText(const AnsiString& text) override
    {
        text_ = text;
        ++Sets;
    }
    Integer Sets = 0;

private:
    AnsiString text_;
};

class TFakeTextEntry : public TFakeElement, public ITextEntryElement {
public:
    using TFakeElement::TFakeElement;
    void SetOnSetWert(std::function<void()> handler) override { onSetWert_ = std::move(handler); }
    void AcceptInput() override
    {
        accepted_ = Field;
        if (onSetWert_)
            onSetWert_();
    }
    AnsiString AcceptedText() const override { return accepted_; }
    // The operator types the text and confirms it.
    void Confirm(const AnsiString& text)
    {
        Field = text;
        AcceptInput();
    }
    AnsiString Field;   // what the field shows

private:
    std::function<void()> onSetWert_;
    AnsiString accepted_;
};

class TFakeDesign : public IDesign {
public:
    explicit TFakeDesign(TFakeDesign* parent = nullptr) : parent_(parent) {}

    // Element list (owned).
    TFakeElement* AddElement(TIOBauteil* linked);
    TFakeDesign* AddDesign();
    Integer ElementCount() const { return static_cast<Integer>(elements_.size()); }
    IFP_Element* Element(Integer i) const { return elements_[i].get(); }

    // IFP_Element: a nested design is an element of its parent.
    void SetElementName(const AnsiString& name) override { name_ = name; }
    AnsiString ElementName() const override { return name_; }
    IDesign* Design() const override { return parent_; }
    TIOBauteil* LinkedComponent() const override { return nullptr; }
    void SetLinkedComponent(TIOBauteil*) override {}
    Integer ZOrder() const override { return zOrder_; }
    void SetZOrder(Integer zOrder) override { zOrder_ = zOrder; }
    Integer FrontplattenNR() const override { return page_; }
    void SetFrontplattenNR(Integer page) override { page_ = page; }
    bool GetBisteTransparent() const override { return transparent_; }
    void SetBisteTransparent(bool transparent) override { transparent_ = transparent; }
    Integer Left() const override { return left_; }
    Integer Top() const override { return top_; }
    Integer Width() const override { return width_; }
    Integer Height() const override { return height_; }
    void SetBounds(Integer left, Integer top, Integer width, Integer height) override;

    // IDesign
    Integer IndexOfElement(const IFP_Element* element) const override;
    void SelectElement(Integer index) override;
    bool IsSelected(const IFP_Element* element) const override;
    void DeselectElement(IFP_Element* element) override;
    void DeselectIndex(Integer index) override;
    void RenumberZOrder() override;
    void SortByZOrder() override;
    void RefreshTransparency(IFP_Element*) override { ++TransparencyRefreshes; }
    void WriteToStream(TStream& stream, TWriter& writer) override;
    void ReadFromStream(TStream& stream, TReader& reader, Byte version) override;
    // Only "TFakeElement" is an element class here; an element's record is its
    // Left and Top.
    IFP_Element* AddElement(const AnsiString& className) override;
    void ReadElement(IFP_Element* element, TStream& stream, TReader& reader, Byte version) override;
    void WriteElement(IFP_Element* element, TStream& stream, TWriter& writer) override;
    void SetNewElementPage(Integer page) override { page_ = page; }
    void RemoveElement(IFP_Element* element) override;
    void BringSelectionToFront() override { ++BroughtToFront; }
    bool HasOnlySubPanels() const override;
    void SetisVisible(bool visible) override { Visible = visible; }

    Integer BorderWidth = 0;
    Integer BevelWidth = 1;
    TColor BackgroundColour = 14215660;
    Integer TransparencyRefreshes = 0;
    Integer BroughtToFront = 0;
    bool Visible = true;

private:
    TFakeDesign* parent_;
    std::vector<std::unique_ptr<IFP_Element>> elements_;
    std::vector<const IFP_Element*> selected_;
    AnsiString name_;
    Integer zOrder_ = 0;
    Integer page_ = 0;
    bool transparent_ = false;
    Integer left_ = 0;
    Integer top_ = 0;
    Integer width_ = 200;
    Integer height_ = 150;
};

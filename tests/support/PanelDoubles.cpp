#include "support/PanelDoubles.h"

#include "engine/Bauteil.h"
#include "platform/ClassRegistry.h"
#include "platform/Stream.h"

#include <algorithm>

TFakeElement::~TFakeElement()
{
    if (linked_ && linked_->PanelElement == this)
        linked_->SetPanelElement(nullptr);
}

IDesign* TFakeElement::Design() const
{
    return design_;
}

void TFakeElement::SetBounds(Integer left, Integer top, Integer width, Integer height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

TFakeElement* TFakeDesign::AddElement(TIOBauteil* linked)
{
    auto element = std::make_unique<TFakeElement>(this, linked);
    element->SetZOrder(ElementCount());
    TFakeElement* result = element.get();
    elements_.push_back(std::move(element));
    return result;
}

TFakeDesign* TFakeDesign::AddDesign()
{
    auto design = std::make_unique<TFakeDesign>(this);
    design->SetZOrder(ElementCount());
    TFakeDesign* result = design.get();
    elements_.push_back(std::move(design));
    return result;
}

void TFakeDesign::RemoveElement(IFP_Element* element)
{
    DeselectElement(element);
    std::erase_if(elements_, [&](const auto& e) { return e.get() == element; });
}

IFP_Element* TFakeDesign::AddElement(const AnsiString& className)
{
    if (className != "TFakeElement")
        throw EClassNotFound("Klasse " + className + " nicht gefunden");
    TFakeElement* element = AddElement(static_cast<TIOBauteil*>(nullptr));
    element->SetFrontplattenNR(page_);
    return element;
}

void TFakeDesign::ReadElement(IFP_Element* element, TStream& stream, TReader& reader, Byte)
{
    if (IndexOfElement(element) < 0)
        return;
    const Integer left = reader.ReadInteger();
    const Integer top = reader.ReadInteger();
    element->SetBounds(left, top, element->Width(), element->Height());
    if (!dynamic_cast<TFileStream*>(&stream))
        element->SetFrontplattenNR(page_);
}

void TFakeDesign::WriteElement(IFP_Element* element, TStream&, TWriter& writer)
{
    if (IndexOfElement(element) < 0)
        return;
    writer.WriteInteger(element->Left());
    writer.WriteInteger(element->Top());
}

bool TFakeDesign::HasOnlySubPanels() const
{
    for (const auto& element : elements_) {
        const auto* design = dynamic_cast<const TFakeDesign*>(element.get());
        if (!design || !design->HasOnlySubPanels())
            return false;
    }
    return true;
}

void TFakeDesign::SetBounds(Integer left, Integer top, Integer width, Integer height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

Integer TFakeDesign::IndexOfElement(const IFP_Element* element) const
{
    for (std::size_t i = 0; i < elements_.size(); ++i)
        if (elements_[i].get() == element)
            return static_cast<Integer>(i);
    return -1;
}

void TFakeDesign::SelectElement(Integer index)
{
    if (index >= 0 && index < ElementCount() && !IsSelected(Element(index)))
        selected_.push_back(Element(index));
}

bool TFakeDesign::IsSelected(const IFP_Element* element) const
{
    return std::find(selected_.begin(), selected_.end(), element) != selected_.end();
}

void TFakeDesign::DeselectElement(IFP_Element* element)
{
    std::erase(selected_, element);
}

void TFakeDesign::DeselectIndex(Integer index)
{
    if (index == -1)
        selected_.clear();
    else if (index >= 0 && index < ElementCount())
        DeselectElement(Element(index));
}

void TFakeDesign::RenumberZOrder()
{
    for (std::size_t i = 0; i < elements_.size(); ++i)
        elements_[i]->SetZOrder(static_cast<Integer>(i) + 1);
}

void TFakeDesign::SortByZOrder()
{
    std::stable_sort(elements_.begin(), elements_.end(),
                     [](const auto& a, const auto& b) { return a->ZOrder() < b->ZOrder(); });
}

// No decorations; then border, bevel width, inner and outer bevel, background
// colour, colour, the two follow flags, web sort order, publish, web title and
// two empty line lists.
void TFakeDesign::WriteToStream(TStream&, TWriter& writer)
{
    writer.WriteInteger(0);
    writer.WriteInteger(BorderWidth);
    writer.WriteInteger(BevelWidth);
    writer.WriteInteger(0);
    writer.WriteInteger(0);
    writer.WriteInteger(BackgroundColour);
    writer.WriteInteger(BackgroundColour);
    writer.WriteBoolean(true);
    writer.WriteBoolean(true);
    writer.WriteInteger(zOrder_);
    writer.WriteBoolean(false);
    writer.WriteBoolean(false);
    writer.WriteInteger(0);
    writer.WriteInteger(0);
}

void TFakeDesign::ReadFromStream(TStream&, TReader& reader, Byte version)
{
    if (reader.ReadInteger() != 0)
        throw EReadError("decorations are not supported by the test design");
    if (version < 40)
        return;
    BorderWidth = reader.ReadInteger();
    BevelWidth = reader.ReadInteger();
    reader.ReadInteger();
    reader.ReadInteger();
    BackgroundColour = reader.ReadInteger();
    reader.ReadInteger();
    reader.ReadBoolean();
    reader.ReadBoolean();
    if (version < 43)
        return;
    reader.ReadInteger();
    reader.ReadBoolean();
    reader.ReadBoolean();
    for (int list = 0; list < 2; ++list) {
        const Integer lines = reader.ReadInteger();
        for (Integer i = 0; i < lines; ++i)
            reader.ReadString();
    }
}

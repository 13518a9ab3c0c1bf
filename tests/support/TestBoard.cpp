#include "support/TestBoard.h"

#include "engine/Segment.h"

TTestBoard::TTestBoard()
{
    RegisterTestClasses();
    board_ = std::make_unique<TPlatine>();
    board_->ClipboardStream = &clipboard_;
    host_.Attach(*board_);
}

TTestBoard::~TTestBoard() = default;

void TTestBoard::Put(TIOBauteil* component, Integer x, Integer y)
{
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    board_->InsertObject(component);
    board_->SelectAll(false);
}

TIOBauteil* TTestBoard::Place(std::string_view className, Integer x, Integer y)
{
    TIOBauteil* component = CreateComponent(className);
    Put(component, x, y);
    return component;
}

Integer CountOf(const TPlatine& board, std::string_view className)
{
    Integer n = 0;
    for (const TBauteil* object : board.Objects)
        if (className == object->ClassName())
            ++n;
    return n;
}

TIOBauteil* FindComponent(TPlatine& board, std::string_view className, int skip)
{
    for (TBauteil* object : board.Objects)
        if (className == object->ClassName() && skip-- == 0)
            return dynamic_cast<TIOBauteil*>(object);
    return nullptr;
}

void TTestBoard::SetUpMacro(TMakro* macro, Integer x, Integer y, Integer pins)
{
    TFakeDesign* design = host_.RootDesign.AddDesign();
    macro->SubDesign = design;
    macro->ParentDesign = &host_.RootDesign;
    TPlatine* inner = board_->CreateInnerBoard(macro);
    host_.Attach(*inner);
    Put(macro, x, y);
    for (Integer k = 0; k < pins; ++k) {
        auto* pin = CreateBauteil<TBTPin>();
        pin->X = 300;
        pin->Y = 300 + 100 * k;
        pin->LayoutPins();
        inner->InsertObject(pin);
    }
    inner->SelectAll(false);
    TTestHost::UpdateMacroPins(*macro);
}

void TTestBoard::Connect(TIOBauteil* from, Integer output, TIOBauteil* to, Integer input)
{
    const TBauteilPin& out = from->Outputs[output];
    TBauteilPin& in = to->Inputs[input];
    const TPoint p{out.X, out.Y};
    const TPoint q{in.X, in.Y};
    if (p.Y == q.Y || p.X == q.X) {
        board_->AddWireAndNormalise(p, q);
    } else {
        const Integer middle = (p.X + q.X) / 2 / 20 * 20;
        for (auto [a, b] : {std::pair{p, TPoint{middle, p.Y}}, std::pair{TPoint{middle, p.Y}, TPoint{middle, q.Y}},
                            std::pair{TPoint{middle, q.Y}, q}})
            if (a != b)
                board_->AddWireAndNormalise(a, b);
    }
    in.Source = from->Outputs[output].MarkReferenced();
}

void TTestBoard::MakeWiredGroup(std::initializer_list<TBauteilPin*> outputs)
{
    for (TBauteilPin* output : outputs) {
        output->WiredGroup.clear();
        for (TBauteilPin* member : outputs)
            output->WiredGroup.push_back(member->MarkReferenced());
    }
}

void TTestBoard::CalculateAll()
{
    for (TBauteil* object : board_->Objects)
        if (auto* component = dynamic_cast<TIOBauteil*>(object))
            component->Calculate();
}

std::vector<Byte> TTestBoard::WriteToMemory(bool selectionOnly)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        board_->WriteObjects(stream, writer, selectionOnly);
        writer.FlushBuffer();
    }
    return stream.Bytes();
}

void TTestBoard::ReadFromMemory(const std::vector<Byte>& bytes, Byte version)
{
    TMemoryStream stream(bytes);
    TReader reader(stream);
    board_->ReadObjects(stream, reader, version);
}

// The test board builder: a board with the test host attached and a clipboard
// stream; components placed at board coordinates, wired output to input, and
// stepped in object order, with their pins read directly. The wiring links
// each input to its driving output the way the simulation start does.
#pragma once

#include "engine/Makro.h"
#include "engine/Platine.h"
#include "platform/Stream.h"
#include "support/TestComponents.h"
#include "support/TestHost.h"

#include <initializer_list>
#include <memory>

class TTestBoard {
public:
    TTestBoard();
    ~TTestBoard();
    TTestBoard(const TTestBoard&) = delete;
    TTestBoard& operator=(const TTestBoard&) = delete;

    TPlatine& Board() { return *board_; }
    TTestHost& Host() { return host_; }
    TMemoryStream& Clipboard() { return clipboard_; }

    // A component with its body's top left corner at x, y.
    template <class T>
    T* Place(Integer x, Integer y)
    {
        T* component = CreateBauteil<T>();
        Put(component, x, y);
        return component;
    }
    TIOBauteil* Place(std::string_view className, Integer x, Integer y);
    // A macro with an inner board and a panel design, and `pins` macro pin
    // components inside (numbered 1..pins, inputs first).
    template <class M = TMakro>
    M* PlaceMacro(Integer x, Integer y, Integer pins)
    {
        M* macro = CreateBauteil<M>();
        SetUpMacro(macro, x, y, pins);
        return macro;
    }

    // Draws a wire from the output's end to the input's end (horizontal,
    // vertical, horizontal) and links the input to the output.
    void Connect(TIOBauteil* from, Integer output, TIOBauteil* to, Integer input);
    // Makes the outputs one wired group, as outputs sharing a net are.
    static void MakeWiredGroup(std::initializer_list<TBauteilPin*> outputs);
    // One step of every component of the board in object order.
    void CalculateAll();

    // The board part in a memory stream, and read back into a board.
    std::vector<Byte> WriteToMemory(bool selectionOnly = false);
    void ReadFromMemory(const std::vector<Byte>& bytes, Byte version = 46);

private:
    void Put(TIOBauteil* component, Integer x, Integer y);
    void SetUpMacro(TMakro* macro, Integer x, Integer y, Integer pins);

    TMemoryStream clipboard_;
    TTestHost host_;
    std::unique_ptr<TPlatine> board_;
};

// Counts objects of a registered class on a board.
Integer CountOf(const TPlatine& board, std::string_view className);
// The object of that class on the board after `skip` others of it; nullptr if none.
TIOBauteil* FindComponent(TPlatine& board, std::string_view className, int skip = 0);

// Counts objects of a class on a board (exact class).
template <class T>
Integer CountOf(const TPlatine& board)
{
    Integer n = 0;
    for (const TBauteil* object : board.Objects)
        if (&object->ClassType() == &T::StaticClass())
            ++n;
    return n;
}

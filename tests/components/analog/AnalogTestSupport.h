// Helpers of the analog component tests: components made by class, inputs fed
// from free-standing output pins, and every class of the family registered.
#pragma once

#include "engine/Bauteil.h"

#include <array>
#include <initializer_list>
#include <memory>

// Every class of the analog family.
void RegisterAnalogClasses();

// A component made by its class name (the analog classes registered first),
// as its family class T.
template <class T = TIOBauteil>
std::unique_ptr<T> Make(const char* className)
{
    RegisterAnalogClasses();
    return std::unique_ptr<T>(dynamic_cast<T*>(CreateComponent(className)));
}

// A component placed on a test board by its class name, as its family class T.
template <class T, class Board>
T* PlaceAs(Board& board, const char* className, Integer x, Integer y)
{
    RegisterAnalogClasses();
    return dynamic_cast<T*>(board.Place(className, x, y));
}

// Output pins that drive a component's inputs; input i reads Pins[i].
class TFeeder {
public:
    // Connects the first inputs to the pins with these values (as many as
    // the component has inputs).
    void Feed(TIOBauteil& component, std::initializer_list<Extended> values)
    {
        Integer i = 0;
        for (const Extended v : values) {
            // Values beyond the component's inputs have no pin to feed.
            if (i >= component.InputCount)
                break;
            Pins[i].SetValue(v);
            component.Inputs[i].Source = &Pins[i];
            ++i;
        }
    }
    // One step with these input values.
    void Step(TIOBauteil& component, std::initializer_list<Extended> values)
    {
        Feed(component, values);
        component.Calculate();
    }

    std::array<TBauteilPin, 32> Pins;
};

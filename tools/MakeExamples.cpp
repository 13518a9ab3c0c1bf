// Writes the example projects into the program folder's examples folder of
// each language ("Beispiele", "Examples", "Exemples"), built from the
// registered component classes, so the examples always read with the program
// beside them. Each example is a function that fills a board.
//
// Usage: zk_make_examples <program folder>
#include "components/digital/BT_Gatter.h"
#include "components/digital/BT_Takt.h"
#include "components/digital/BT_Versorgung.h"
#include "engine/Bauteil.h"
#include "engine/Language.h"
#include "engine/Platine.h"
#include "platform/AnsiText.h"
#include "shell/ComponentClasses.h"
#include "panel/framework/Frontplatte.h"
#include "shell/ProjectFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

template <class T>
T* Place(TPlatine& board, Integer x, Integer y)
{
    T* component = static_cast<T*>(CreateBauteil<T>());
    component->X = x;
    component->Y = y;
    component->LayoutPins();
    board.InsertObject(component);
    return component;
}

TPoint PinAt(const TBauteilPin& pin)
{
    return TPoint{pin.X, pin.Y};
}

// A wire along the points, piece by piece.
void Wire(TPlatine& board, const std::vector<TPoint>& points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        if (points[i - 1] != points[i])
            board.AddWireAndNormalise(points[i - 1], points[i]);
}

// An output feeding several inputs over a vertical bus at x: the bus is cut
// at every branch so that every joint is a meeting of wire ends.
void Bus(TPlatine& board, const TBauteilPin& from, Integer x, const std::vector<const TBauteilPin*>& to)
{
    const TPoint start = PinAt(from);
    Wire(board, {start, TPoint{x, start.Y}});
    std::vector<Integer> ys{start.Y};
    for (const TBauteilPin* pin : to) {
        ys.push_back(pin->Y);
        Wire(board, {TPoint{x, pin->Y}, PinAt(*pin)});
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    for (std::size_t i = 1; i < ys.size(); ++i)
        Wire(board, {TPoint{x, ys[i - 1]}, TPoint{x, ys[i]}});
}

// A wire from an output to the right, whose colour shows the output's state.
void Lead(TPlatine& board, const TBauteilPin& from)
{
    Wire(board, {PinAt(from), TPoint{from.X + 400, from.Y}});
}

// A component placed so that its first output lies at the height y.
template <class T>
T* PlaceOutputAt(TPlatine& board, Integer x, Integer y)
{
    T* component = Place<T>(board, x, y);
    component->Y += y - component->Outputs[0].Y;
    component->LayoutPins();
    return component;
}

// Gates: a slow clock feeds an AND, an OR and an XOR gate, whose other input
// is a steady HIGH, and an inverter. With the wire states shown, the leads
// blink as the gates answer. No wire crosses another: crossing wires that
// met would join their nets.
void GateDemo(TPlatine& board)
{
    auto* clock = Place<TBTHiTakt>(board, 300, 2200);
    clock->Frequency = 1;
    const Integer gateX = 1800;
    auto* gateAnd = Place<TBTAnd>(board, gateX, 400);
    auto* gateOr = Place<TBTOr>(board, gateX, 1000);
    auto* gateXor = Place<TBTExor>(board, gateX, 1600);
    auto* inverter = Place<TBTInverter>(board, gateX, 2200);
    // Each gate's first input straight from a supply of its own.
    for (TIOBauteil* gate : std::vector<TIOBauteil*>{gateAnd, gateOr, gateXor}) {
        auto* high = PlaceOutputAt<TBTVcc>(board, 1300, gate->Inputs[0].Y);
        Wire(board, {PinAt(high->Outputs[0]), PinAt(gate->Inputs[0])});
    }
    Bus(board, clock->Outputs[0], 1100,
        {&gateAnd->Inputs[1], &gateOr->Inputs[1], &gateXor->Inputs[1], &inverter->Inputs[0]});
    for (TIOBauteil* gate : std::vector<TIOBauteil*>{gateAnd, gateOr, gateXor, inverter})
        Lead(board, gate->Outputs[0]);
}

struct TExample {
    const char* FileName[3];
    void (*Build)(TPlatine&);
};

const TExample Examples[] = {
    {{"Gatter.prj", "Gates.prj", "Portes logiques.prj"}, GateDemo},
};

const char* const Folders[3] = {"Beispiele", "Examples", "Exemples"};

}   // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <program folder>\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        RegisterBaseClasses();
        RegisterComponentClasses();
        const QDir program(QString::fromLocal8Bit(argv[1]));
        for (int language = 0; language < 3; ++language) {
            // Captions are the type names of the example's language.
            LanguageIndex = language;
            const QString folder = program.filePath(Folders[language]);
            if (!QDir().mkpath(folder))
                throw std::runtime_error("cannot create " + folder.toStdString());
            for (const TExample& example : Examples) {
                TPlatine board;
                example.Build(board);
                TFrontplatte panel;
                panel.ResetToNewProject();
                WriteProjectFile(QStringToAnsi(QDir(folder).filePath(QString::fromUtf8(example.FileName[language]))),
                                 board, *panel.RootDesign(), panel);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
    return 0;
}

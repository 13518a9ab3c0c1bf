#include "hardware/framework/DLG_PinPort.h"

#include "dialogs/DLG_Default.h"
#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "engine/Publics.h"
#include "hardware/framework/EditGrid.h"
#include "hardware/framework/IO_Port.h"
#include "platform/AnsiText.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <charconv>
#include <cmath>
#include <optional>

namespace {

constexpr int EditorWidth = 210;
constexpr int EditorHeight = 274;
constexpr int Border = 8;
constexpr int ButtonPanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

TPinPortDlg* Instance = nullptr;

// Fixed with 3 decimals and the locale's separator: the channel's range.
AnsiString Fixed3(Extended value)
{
    char buffer[5000];   // room for the largest long double with 3 decimals
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return LocaliseDecimalSeparator(AnsiString(buffer, result.ptr));
}

// The range edits show the full value and read it back in either decimal
// separator.
AnsiString RangeText(Extended value)
{
    return LocaliseDecimalSeparator(FormatGeneral(value, 15, 0));
}

// The whole text as one finite number (blanks around it allowed), or none.
std::optional<Extended> NumberOf(AnsiString text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == AnsiString::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    for (char& c : text)
        if (c == ',')
            c = '.';
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+')
        ++begin;
    Extended value = 0;
    const auto [ptr, error] = std::from_chars(begin, end, value, std::chars_format::general);
    if (error != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}   // namespace

// ---- TPinEdit -----------------------------------------------------------------

TPinEdit::TPinEdit(QWidget* parent) : QWidget(parent)
{
    setObjectName("PinEdit");
    resize(EditorWidth, EditorHeight);

    PortListBox = Place(new QListWidget(this), "PortListBox", 5, 5, 200, 65);
    connect(PortListBox, &QListWidget::currentRowChanged, this, [this](int row) {
        if (filling_ || row < 0)
            return;
        StoreDescriptions();
        ShowPort(row);
    });

    PinGrid = new TEditGrid("PinGrid", this);
    PinGrid->setGeometry(5, 80, 200, 120);
    PinGrid->setColumnWidth(0, 60);   // the descriptions take the rest
    PinGrid->setHorizontalHeaderLabels({AnsiToQString(ByLanguage("Anschluss", "Connection", "Connexion")),
                                        AnsiToQString(ByLanguage("Beschreibung", "Comment", "Commentaire"))});
    connect(PinGrid, &QTableWidget::currentCellChanged, this, [this](int row) { GridRowChanged(row); });

    PinGroupBox = Place(new QGroupBox(this), "PinGroupBox", 5, 204, 201, 65);
    KonfigBtn = Place(new QPushButton(PinGroupBox), "KonfigBtn", 40, 20, 120, 25);
    KonfigBtn->setText(AnsiToQString(ByLanguage("&Konfigurieren...", "&Configuration...", "&Configuration...")));
    connect(KonfigBtn, &QPushButton::clicked, this, [this] { KonfigBtnClick(); });
    InfoLabel = new QLabel(PinGroupBox);
    InfoLabel->setObjectName("InfoLabel");
    InfoLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QPalette grey = InfoLabel->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    InfoLabel->setPalette(grey);

    ShowPort(-1);
}

void TPinEdit::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The list at the top, the channel box at the bottom, the grid between.
    const int w = width() - 10;
    const int h = height();
    PortListBox->setGeometry(5, 5, w, 65);
    PinGroupBox->setGeometry(5, h - 70, w + 1, 65);
    PinGrid->setGeometry(5, 80, w, std::max(h - 80 - 74, 0));
    InfoLabel->setGeometry(2, 47, PinGroupBox->width() - 4, 16);
}

TIOPort* TPinEdit::Port() const
{
    return shownPort_ >= 0 && shownPort_ < Integer(ports_.size()) ? ports_[std::size_t(shownPort_)] : nullptr;
}

void TPinEdit::SetPortliste(std::vector<TIOPort*> ports)
{
    // The previous list's grid belongs to ports that may be gone.
    shownPort_ = -1;
    ports_ = std::move(ports);
    filling_ = true;
    PortListBox->clear();
    for (const TIOPort* port : ports_)
        PortListBox->addItem(AnsiToQString(port->PortName));
    PortListBox->setCurrentRow(ports_.empty() ? -1 : 0);
    filling_ = false;
    ShowPort(0);
}

void TPinEdit::ShowPort(Integer index)
{
    shownPort_ = index >= 0 && index < Integer(ports_.size()) ? index : -1;
    const TIOPort* port = Port();
    const std::size_t count = port ? port->Pins.size() : 0;

    filling_ = true;
    std::vector<AnsiString> names;
    for (std::size_t i = 0; i < count; ++i)
        names.push_back(port->Pins[i]->ShortName);
    PinGrid->SetRows(names);
    for (std::size_t i = 0; i < count; ++i)
        PinGrid->SetCellText(Integer(i), port->Pins[i]->Description);
    PinGrid->setEnabled(count > 0);
    editedRow_ = -1;
    if (count > 0)
        PinGrid->setCurrentCell(0, 1);
    filling_ = false;

    if (count == 0) {
        ShowPin(nullptr);
    } else {
        ShowPin(port->Pins[0].get());
        editedRow_ = 0;
    }
}

void TPinEdit::StoreDescriptions()
{
    TIOPort* port = Port();
    if (!port)
        return;
    const std::size_t count = std::min(port->Pins.size(), std::size_t(PinGrid->rowCount()));
    for (std::size_t i = 0; i < count; ++i)
        port->Pins[i]->Description = PinGrid->CellText(Integer(i));
}

void TPinEdit::GridRowChanged(Integer row)
{
    const TIOPort* port = Port();
    if (filling_ || !port || row < 0 || row >= Integer(port->Pins.size()) || row == editedRow_)
        return;
    if (editedRow_ >= 0)
        StoreDescriptions();
    editedRow_ = row;
    ShowPin(port->Pins[std::size_t(row)].get());
}

void TPinEdit::ShowPin(TPin* channel)
{
    shownPin_ = channel;
    if (channel) {
        PinGroupBox->setTitle(AnsiToQString(channel->Description + " [" + channel->ShortName + "]"));
        PinGroupBox->show();
        KonfigBtn->setEnabled(channel->Configurable);
        AnsiString info;
        if (channel->Configurable) {
            info = Fixed3(channel->Min) + " ... " + Fixed3(channel->Max);
            if (channel->Direction == PinHardwareInput)
                info += ByLanguage(" (Eingang)", " (input)", " (Entrée)"_ansi);
            else if (channel->Direction == PinHardwareOutput)
                info += ByLanguage(" (Ausgang)", " (output)", " (Sortie)");
        }
        InfoLabel->setText(AnsiToQString(info));
    } else {
        PinGroupBox->hide();
        KonfigBtn->setEnabled(false);
    }
    if (OnChange)
        OnChange(this);
}

void TPinEdit::KonfigBtnClick()
{
    TPin* channel = shownPin_;
    if (!channel)
        return;
    if (OnConfigure) {
        OnConfigure(this);
        if (OnChange)
            OnChange(this);
        return;
    }
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(channel->Description);
    dlg.SetHelpContext(0);
    if (channel->ChannelMode == 1)
        ConfigureDirection(*channel);
    else
        ConfigureRange(*channel);
    ShowPin(channel);
}

void TPinEdit::ConfigureDirection(TPin& channel)
{
    TDefault_Dlg& dlg = Default_Dlg();
    Integer direction = channel.Direction;
    dlg.Props->AddCombo(Translate("Richtung"), direction, {Translate("Eingang"), Translate("Ausgang")}, 200);
    if (dlg.ShowModal() == mrOk)
        channel.Direction = direction == 1 ? PinHardwareOutput : PinHardwareInput;
}

void TPinEdit::ConfigureRange(TPin& channel)
{
    TDefault_Dlg& dlg = Default_Dlg();
    AnsiString from = RangeText(channel.Min);
    AnsiString to = RangeText(channel.Max);
    dlg.Props->AddRange(Translate("Bereich") + " [min/max]", from, to, 0);
    if (dlg.ShowModal() != mrOk)
        return;
    const auto min = NumberOf(from);
    const auto max = NumberOf(to);
    channel.Min = min && max ? *min : 0.0L;
    channel.Max = min && max ? *max : 5.0L;
}

// ---- TPinPortDlg --------------------------------------------------------------

TPinPortDlg::TPinPortDlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("PinPortDlg");
    SetFormFont(*this, "MS Sans Serif", -11);
    SetCaption("Pins & Ports");
    const int w = EditorWidth + 2 * Border;
    const int h = EditorHeight + 2 * Border + ButtonPanelHeight;
    setFixedSize(w, h);

    PinEdit = new TPinEdit(this);
    PinEdit->setGeometry(Border, Border, EditorWidth, EditorHeight);

    const int buttonTop = h - ButtonPanelHeight + 8;
    CancelBtn = Place(new QPushButton(this), "CancelBtn", w - Border - ButtonWidth, buttonTop, ButtonWidth,
                      ButtonHeight);
    CancelBtn->setText(AnsiToQString(ByLanguage("&Abbrechen", "&Cancel", "&Annuler")));
    SetModalResult(CancelBtn, mrCancel);
    OKBtn = Place(new QPushButton("&OK", this), "OKBtn", CancelBtn->x() - 6 - ButtonWidth, buttonTop, ButtonWidth,
                  ButtonHeight);
    OKBtn->setDefault(true);
    SetModalResult(OKBtn, mrOk);
}

void TPinPortDlg::BeforeShow()
{
    PinEdit->SetPortliste(PinEdit->Portliste());
}

void TPinPortDlg::done(int result)
{
    PinEdit->StoreDescriptions();
    TModalForm::done(result);
}

TPinPortDlg& PinPortDlg()
{
    // Kept to the end like the other forms of the program.
    if (!Instance)
        Instance = new TPinPortDlg;
    return *Instance;
}

void InstallPinPortDialogLink()
{
    PinPortDialogLink().Show = [](const AnsiString& caption) {
        TPinPortDlg& dlg = PinPortDlg();
        dlg.SetCaption(caption);
        dlg.ShowModal();
    };
    // The ports belong to the device whose settings dialog ends: the editor
    // must not reach them once the device may be freed.
    PinPortDialogLink().ClearHandlers = [] {
        if (!Instance)
            return;
        Instance->PinEdit->OnConfigure = nullptr;
        Instance->PinEdit->OnChange = nullptr;
        Instance->PinEdit->SetPortliste({});
    };
}

#include "hardware/framework/DLG_Hersteller.h"

#include "dialogs/Props.h"
#include "engine/AnsiLiteral.h"
#include "engine/Globals.h"
#include "engine/Language.h"
#include "hardware/framework/IO_Interface.h"
#include "platform/AnsiText.h"
#include "platform/IniFile.h"
#include "platform/WebBrowser.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QGridLayout>
#include <QVBoxLayout>

namespace {

TCustomIniFile* LinksIni = nullptr;
const bool LinksIniReset = AddGlobalsReset([] { LinksIni = nullptr; });

const char* const LinkKeys[3] = {"Link1", "Link2", "Link3"};

}   // namespace

TCustomIniFile* HardwareLinksIni()
{
    return LinksIni;
}

void SetHardwareLinksIni(TCustomIniFile* ini)
{
    LinksIni = ini;
}

THerstellerDlg::THerstellerDlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("HerstellerDlg");
    SetCaption("HerstellerInfo");
    resize(640, 520);
    SetFormFont(*this, "MS Sans Serif", -11);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    WebBrowser1 = CreateWebBrowser(this);
    if (WebBrowser1) {
        WebBrowser1->setObjectName("WebBrowser1");
        layout->addWidget(WebBrowser1, 1);
    } else {
        layout->addStretch(1);
    }
    GroupBox1 = new QGroupBox(AnsiToQString(ByLanguage("Internet aufrufen...", "Retrieve information from...",
                                                       "Recherchez l´information de..."_ansi)),
                              this);
    GroupBox1->setObjectName("GroupBox1");
    layout->addWidget(GroupBox1);
    auto* rows = new QGridLayout(GroupBox1);
    QLineEdit** edits[3] = {&LinkEdit1, &LinkEdit2, &LinkEdit3};
    QPushButton** buttons[3] = {&LinkBtn1, &LinkBtn2, &LinkBtn3};
    for (int i = 0; i < 3; ++i) {
        const QString n = QString::number(i + 1);
        QLineEdit* edit = *edits[i] = new QLineEdit(GroupBox1);
        edit->setObjectName("LinkEdit" + n);
        QPushButton* button = *buttons[i] = new QPushButton("Link " + n, GroupBox1);
        button->setObjectName("LinkBtn" + n);
        button->setAutoDefault(false);
        button->setFixedWidth(75);
        rows->addWidget(edit, i, 0);
        rows->addWidget(button, i, 1);
        connect(button, &QPushButton::clicked, this, [this, edit] { Navigate(QStringToAnsi(edit->text())); });
    }
}

void THerstellerDlg::Navigate(const AnsiString& url)
{
    if (WebBrowser1)
        WebBrowser1->Navigate(url);
    else if (!url.empty())
        OpenLink(url);
}

void THerstellerDlg::reject()
{
    done(mrOk);
}

void THerstellerDlg::showEvent(QShowEvent* event)
{
    TModalForm::showEvent(event);
    // Without a browser nothing opens by itself.
    if (!WebBrowser1)
        return;
    for (QLineEdit* edit : LinkEdits())
        if (!edit->text().isEmpty()) {
            Navigate(QStringToAnsi(edit->text()));
            return;
        }
}

void ShowMakerLinks(TIOInterface& device)
{
    THerstellerDlg dlg;
    AnsiString caption = device.PortName;
    if (const std::size_t at = caption.find('\r'); at != AnsiString::npos)
        caption[at] = ' ';
    dlg.SetCaption(caption);
    const AnsiString section = device.ClassName();
    const std::array<QLineEdit*, 3> edits = dlg.LinkEdits();
    if (TCustomIniFile* ini = HardwareLinksIni())
        for (std::size_t i = 0; i < edits.size(); ++i)
            edits[i]->setText(AnsiToQString(ini->ReadString(section, LinkKeys[i], "")));
    dlg.ShowModal();
    // The links file is the user's notebook: a failed write only loses the edit.
    if (TCustomIniFile* ini = HardwareLinksIni())
        for (std::size_t i = 0; i < edits.size(); ++i)
            ini->WriteString(section, LinkKeys[i], QStringToAnsi(edits[i]->text()));
}

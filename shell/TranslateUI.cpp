#include "shell/TranslateUI.h"

#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "shell/MainForm.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QTabBar>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>
#include <QWidget>

#include <cstring>
#include <memory>

namespace {

const TUiTranslation Translations[] = {
    {"Datei1", TUiProperty::Caption, "&Datei", "&File", "&Fichier"},
    {"DateiNeuBtn", TUiProperty::Caption, "&Neu", "&New", "&Nouveau"},
    {"ffnen2", TUiProperty::Caption, "Ö&ffnen...", "&Open...", "&Ouvrir..."},
    {"Speichern1", TUiProperty::Caption, "&Speichern", "&Save", "&Sauvegarder"},
    {"Speichernals1", TUiProperty::Caption, "Speichern &unter...", "Save &as...", "Sauvegarder &comme..."},
    {"Beispiele1", TUiProperty::Caption, "&Beispiele...", "&Examples...", "&Exemples..."},
    {"Makroimportieren1", TUiProperty::Caption, "&Makro importieren...", "&Import macro...", "&Importer macro..."},
    {"MakroSpeichern1", TUiProperty::Caption, "Als Makro s&peichern...", "Save as &macro...", "Sauvegarder comme &macro..."},
    {"Drucken1", TUiProperty::Caption, "&Drucken...", "&Print...", "&Imprimer..."},
    {"Beenden1", TUiProperty::Caption, "&Beenden", "&Quit", "&Quitter"},
    {"Compilieren", TUiProperty::Caption, "&Compilieren...", "&Compile...", "&Compiler..."},
    {"Bearbeiten1", TUiProperty::Caption, "&Bearbeiten", "&Edit", "&Editer"},
    {"Ausschneiden1", TUiProperty::Caption, "A&usschneiden", "&Cut", "&Couper"},
    {"Kopieren1", TUiProperty::Caption, "Kopieren", "&Copy", "&Copier"},
    {"Einfgen1", TUiProperty::Caption, "&Einfügen", "&Paste", "&Coller"},
    {"Duplizieren1", TUiProperty::Caption, "&Duplizieren", "&Duplicate", "&Dupliquer"},
    {"Allesauswhlen1", TUiProperty::Caption, "&Alles auswählen", "&Select all", "&Tout sélectionner"},
    {"Lschen1", TUiProperty::Caption, "&Löschen", "&Delete", "&Effacer"},
    {"Nachvornesetzen1", TUiProperty::Caption, "Nach &vorne setzen", "&To front", "&Vers l´avant"},
    {"Nachhintensetzen1", TUiProperty::Caption, "Nach &hinten setzen", "To &back", "Vers &l´arrière"},
    {"Aufrumen1", TUiProperty::Caption, "Aufräumen", "&Clean up", "&Éclaircir"},
    {"Frontplatte1", TUiProperty::Caption, "&Frontplatte", "&Front panel", "&Panneau de contrôle"},
    {"Eigenschaften1", TUiProperty::Caption, "&Eigenschaften...", "P&roperties...", "&Propriétés..."},
    {"FPAnzeigen", TUiProperty::Caption, "&Anzeigen", "&Show", "&Montrer"},
    {"NeueFrontplatteerzeugen1", TUiProperty::Caption, "&Hinzufügen", "&Add new front panel", "&Ajouter nouveau panneau de contrôle"},
    {"Lschen3", TUiProperty::Caption, "&Löschen", "&Delete", "&Effacer"},
    {"Drucken2", TUiProperty::Caption, "&Drucken...", "&Print...", "&Imprimer..."},
    {"Zwischenablage1", TUiProperty::Caption, "&Kopieren", "&Copy", "&Copier"},
    {"Option", TUiProperty::Caption, "&Optionen", "&Options", "&Options"},
    {"Raster", TUiProperty::Caption, "&Raster", "&Grid", "&Grille"},
    {"Stueckliste", TUiProperty::Caption, "&Stückliste erstellen...", "&Components list...", "&Liste de composants..."},
    {"Hinweistexte", TUiProperty::Caption, "&Hinweistexte", "&Show hints", "&Montrer commentaires"},
    {"Konfiguration1", TUiProperty::Caption, "Konfiguration", "&Configuration", "&Configuration"},
    {"Fenster1", TUiProperty::Caption, "&Fenster", "&Window", "&Fenêtre"},
    {"naechstes1", TUiProperty::Caption, "&Nächstes", "&Next", "&Suivant"},
    {"Makrofensterschliessen1", TUiProperty::Caption, "Makro&fenster schliessen", "&Close macro", "&Fermer macro"},
    {"Index", TUiProperty::Caption, "&Hilfethemen...", "&Contents", "&Contenu"},
    {"Frontplattenelemente2", TUiProperty::Caption, "Frontplattenelemente", "Control elements", "Eléments de commande"},
    {"Frontplattenelemente1", TUiProperty::Caption, "Logikbauteile", "Logic components", "Composants logiques"},
    {"Analoges1", TUiProperty::Caption, "Analoges", "Analogue components", "Composants analogiques"},
    {"Diverses1", TUiProperty::Caption, "Diverses", "Miscellaneous", "Divers"},
    {"Hardware1", TUiProperty::Caption, "Hardware", "Hardware components", "Composants Hardware"},
    {"Makros1", TUiProperty::Caption, "Makros", "Macros", "Macros"},
    {"Del1", TUiProperty::Hint, "Makro löschen: ", "Delete macro: ", "Effacer macro: "},
    {"SearchAdd", TUiProperty::Caption, "Zum Projekt hinzufügen", "Add to project", "Ajoutez au projet"},
    {"Ausschneiden2", TUiProperty::Caption, "Ausschneiden", "Cut", "Couper"},
    {"Kopieren", TUiProperty::Caption, "Kopieren", "Copy", "Copier"},
    {"Einfgen", TUiProperty::Caption, "Einfügen", "Paste", "Coller"},
    {"Duplizieren", TUiProperty::Caption, "Duplizieren", "Duplicate", "Dupliquer"},
    {"Lschen2", TUiProperty::Caption, "Löschen", "Delete", "Effacer"},
    {"NachVorn", TUiProperty::Caption, "Nach vorne setzen", "To front", "Vers l´avant"},
    {"NachHinten", TUiProperty::Caption, "Nach hinten setzen", "To back", "Vers l´arrière"},
    {"Tauschen", TUiProperty::Caption, "Drehen", "Flip", "Rotation"},
    {"Eigenschaften", TUiProperty::Caption, "Eigenschaften", "Properties...", "Propriétés..."},
    {"Bearbeiten2", TUiProperty::Caption, "Makro bearbeiten", "Edit macro", "Editer macro"},
    {"Hilfe2", TUiProperty::Caption, "", "Help...", "Aide..."},
    {"HerstellerDatenblattVertrieb1", TUiProperty::Caption, "Weitere Informationen...", "More information...", "Plus d´information..."},
    {"ToolButton1", TUiProperty::Hint, "Neu", "New", "Nouveau"},
    {"ToolButton2", TUiProperty::Hint, "Öffnen", "Open", "Ouvrir"},
    {"ToolButton4", TUiProperty::Hint, "Drucken", "Print", "Imprimer"},
    {"ToolButton6", TUiProperty::Hint, "Ausschneiden", "Cut", "Couper"},
    {"ToolButton7", TUiProperty::Hint, "Kopieren", "Copy", "Copier"},
    {"ToolButton8", TUiProperty::Hint, "Einfügen", "Paste", "Coller"},
    {"ToolButton12", TUiProperty::Hint, "Duplizieren", "Duplicate", "Dupliquer"},
    {"ToolButton9", TUiProperty::Hint, "Löschen", "Delete", "Effacer"},
    {"ToolButton15", TUiProperty::Hint, "Neuer Text", "Label", "Texte"},
    {"SB_Raster", TUiProperty::Hint, "Raster", "Grid", "Grille"},
    {"ToolButton17", TUiProperty::Hint, "Stückliste", "Components list", "Liste de composants"},
    {"tb_ZoomAll", TUiProperty::Hint, "Zoom (ganzer Arbeitsbereich)", "Zoom (page)", "Zoom (page)"},
    {"tb_ZoomObjects", TUiProperty::Hint, "Zoom (alle Objekte)", "Zoom (objects)", "Zoom (objets)"},
    {"tb_ZoomMarked", TUiProperty::Hint, "Zoom (alle markierten Objekte)", "Zoom (marked objects)", "Zoom (Objets sélectionnés)"},
    {"tb_Compile", TUiProperty::Hint, "Compilieren...", "Compile...", "Compiler..."},
    {"StandardBtn", TUiProperty::Hint, "Standard", "Edit", "Editer"},
    {"LineBtn", TUiProperty::Hint, "Verbindungen", "Connect", "Connecter"},
    {"ZoomBtn", TUiProperty::Hint, "Zoom", "Zoom", "Zoom"},
    {"SB_Start", TUiProperty::Hint, "Start (F9)", "Start (F9)", "Début (F9)"},
    {"SB_Stop", TUiProperty::Hint, "Stop (ESC)", "Stop (ESC)", "Fin (ESC)"},
    {"SB_HILO", TUiProperty::Hint, "Leitungszustand anzeigen", "Show wire status", "Montrer état du fil"},
    {"SB_Status", TUiProperty::Hint, "Bauteilzustand anzeigen", "Show pin status", "Montrer état de la broche"},
    {"SB_Front", TUiProperty::Hint, "Frontplatte anzeigen (F12)", "Show front panel", "Montrer panneau de contrôle"},
    {"HintBtn", TUiProperty::Hint, "Bauteilhinweise anzeigen", "Show component hints", "Montrer commentaire composant"},
    {"cb_NurText", TUiProperty::Hint, "", "Text only", "Texte seul"},
    {"sb_BiboPlus", TUiProperty::Hint, "", "Next page", "Page suivante"},
    {"sb_BiboMinus", TUiProperty::Hint, "", "Previous page", "Page précédente"},
    {"OpenDialog1", TUiProperty::Filter, "Projektdatei|*.prj|Makro|*.mak", "Project|*.prj|Macro|*.mak", "Projet|*.prj|Macro|*.mak"},
    {"SaveDialog1", TUiProperty::Filter, "Projektdatei|*.prj", "Project|*.prj", "Projet|*.prj"},
    {"SaveDialog1", TUiProperty::Title, "Projekt speichern", "Save project", "Sauvegarder projet"},
    {"SaveMakroDialog", TUiProperty::Filter, "Makro|*.mak", "Macro|*.mak", "Macro|*.mak"},
    {"SaveMakroDialog", TUiProperty::Title, "Makro speichern", "Save macro", "Sauvegarder macro"},
    {"SearchBtn", TUiProperty::Hint, "Schnell finden...", "Quick find...", "Trouvaille rapide..."},
    {"CloseBibo", TUiProperty::Hint, "Bibliothek ein-/ausblenden", "Hide/show library", "Fermer/ouvrir la librairie"},
    {"InternetUpdate1", TUiProperty::Caption, "Internet &Update...", nullptr, "&Mise à jour Internet..."},
    {"ToolButton3", TUiProperty::Hint, "Speichern", "Save", "Sauvegarder"},
    {"TabSet", TUiProperty::FirstTab, " Hauptschaltung ", " Main circuit ", " Circuit principal "},
    {"cbSpeed", TUiProperty::Items, "Fast\nSlow", nullptr, "Rapide\nLente"},
};

QString FromTerm(const AnsiString& term)
{
    return AnsiToQString(Translate(term));
}

void SetCaption(QObject* target, const QString& text)
{
    if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
}

void SetHint(QObject* target, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(target))
        action->setToolTip(text);
    else if (auto* widget = qobject_cast<QWidget*>(target))
        widget->setToolTip(text);
}

} // namespace

std::span<const TUiTranslation> MainWindowTranslations()
{
    return Translations;
}

QString MainWindowText(const char* control, TUiProperty property, Integer languageIndex)
{
    for (const TUiTranslation& row : Translations) {
        if (row.Property != property || std::strcmp(row.Control, control) != 0)
            continue;
        const char* text = languageIndex == 1 ? row.English : languageIndex == 2 ? row.French : row.German;
        return QString::fromUtf8(text ? text : row.German);
    }
    return {};
}

void InstallQtTranslations(Integer languageIndex)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    const QString language = languageIndex == 1 ? QStringLiteral("en") : languageIndex == 2 ? QStringLiteral("fr") : QStringLiteral("de");
    installed = std::make_unique<QTranslator>();
    // Without the package's files Qt keeps its English texts.
    if (installed->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(installed.get());
}

void TranslateMainWindow(QObject& window, Integer languageIndex)
{
    // Built from the term table in every language, German included.
    const QString configuration = FromTerm("Konfiguration") + QStringLiteral(": ");
    const struct {
        const char* Control;
        const char* Term;
    } configurationHints[] = {{"tb_Config", "Anwendung"}, {"tb_ConfigHW", "Hardware"}, {"tb_Frontplatte", "Frontplatte"}};
    for (const auto& hint : configurationHints)
        if (QObject* target = window.findChild<QObject*>(hint.Control))
            SetHint(target, configuration + FromTerm(hint.Term) + QStringLiteral("..."));
    if (QObject* target = window.findChild<QObject*>("Hardware2"))
        SetCaption(target, QStringLiteral("&") + FromTerm("Hardware") + QStringLiteral("..."));
    if (QObject* target = window.findChild<QObject*>("Anwendung1"))
        SetCaption(target, QStringLiteral("&") + FromTerm("Anwendung") + QStringLiteral("..."));

    if (languageIndex != 1 && languageIndex != 2)
        return;   // German, or an unknown language: the designed texts stay
    for (const TUiTranslation& row : Translations) {
        QObject* target = window.findChild<QObject*>(row.Control);
        const char* text = languageIndex == 1 ? row.English : row.French;
        if (!target || !text)
            continue;
        const QString value = QString::fromUtf8(text);
        switch (row.Property) {
        case TUiProperty::Caption:
            SetCaption(target, value);
            break;
        case TUiProperty::Hint:
            SetHint(target, value);
            break;
        case TUiProperty::Items:
            if (auto* box = qobject_cast<QComboBox*>(target)) {
                const QStringList items = value.split('\n');
                for (int i = 0; i < items.size() && i < box->count(); ++i)
                    box->setItemText(i, items[i]);
            }
            break;
        case TUiProperty::FirstTab:
            if (auto* tabs = qobject_cast<QTabBar*>(target); tabs && tabs->count() > 0)
                tabs->setTabText(0, value);
            break;
        case TUiProperty::Filter:
        case TUiProperty::Title:
            // Read where the dialog is made (MainWindowText).
            break;
        }
    }
}

void TForm1::TranslateUI()
{
    InstallQtTranslations(LanguageChoice());
    TranslateMainWindow(*this, LanguageChoice());
}

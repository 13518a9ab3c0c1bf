// The platform's own texts in the program's language: the class library's
// errors, the system's reasons and the overwrite question of a save dialog.
#include "platform/TextLanguage.h"

#include "platform/AnsiText.h"
#include "platform/ClassRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Stream.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>

namespace {

int chosenLanguage = 0;

class TextLanguageTest : public ::testing::Test {
protected:
    void SetUp() override { SetTextLanguageSource([] { return chosenLanguage; }); }
    void TearDown() override
    {
        chosenLanguage = 0;
        SetTextLanguageSource(nullptr);
    }
};

TEST_F(TextLanguageTest, ClassLibraryErrorsSpeakTheLanguage)
{
    const struct {
        int Language;
        const char* Read;
        const char* Tag;
        const char* Open;
        const char* Class;
    } cases[] = {
        {0, "Stream-Lesefehler", "Ung\u00FCltiger Eigenschaftswert",
         "Datei /nirgends/Anlage.prj kann nicht ge\u00F6ffnet werden: Datei oder Ordner nicht vorhanden",
         "Klasse TBTFehlt nicht gefunden"},
        {1, "Stream read error", "Invalid property value",
         "Cannot open file /nirgends/Anlage.prj: No such file or folder", "Class TBTFehlt not found"},
        {2, "Erreur de lecture du flux", "Valeur de propri\u00E9t\u00E9 incorrecte",
         "Impossible d\u2019ouvrir le fichier /nirgends/Anlage.prj : Fichier ou dossier introuvable",
         "Classe TBTFehlt introuvable"},
        {7, "Stream-Lesefehler", "Ung\u00FCltiger Eigenschaftswert",   // unknown: German
         "Datei /nirgends/Anlage.prj kann nicht ge\u00F6ffnet werden: Datei oder Ordner nicht vorhanden",
         "Klasse TBTFehlt nicht gefunden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Language);
        chosenLanguage = c.Language;
        TMemoryStream empty;
        TReader reader(empty);
        try {
            reader.ReadInteger();
            ADD_FAILURE() << "no error";
        } catch (const EReadError& error) {
            EXPECT_STREQ(error.what(), c.Read);
        }
        EXPECT_STREQ(EReadError(SInvalidPropertyValue).what(), c.Tag);
        try {
            TFileStream file("/nirgends/Anlage.prj", TFileMode::fmOpenRead);
            ADD_FAILURE() << "opened";
        } catch (const EStreamError& error) {
            EXPECT_STREQ(error.what(), c.Open);
            EXPECT_EQ(error.SystemError(), ENOENT);
        }
        try {
            FindClass("TBTFehlt");
            ADD_FAILURE() << "found";
        } catch (const EClassNotFound& error) {
            EXPECT_STREQ(error.what(), c.Class);
        }
    }
    // A message of our own passes unchanged; the engine's fixed ones are translated.
    chosenLanguage = 1;
    EXPECT_STREQ(EReadError("Makro ohne Platine").what(), "Macro without a board");
    EXPECT_EQ(TranslateLibraryMessage("Unbekannter Fehler"), "Unknown error");
    EXPECT_STREQ(EReadError("Falsches Dateiformat!").what(), "Falsches Dateiformat!");
}

TEST_F(TextLanguageTest, SaveDialogAsksBeforeReplacingAFileAndNoAsksForAnotherName)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile existing(dir.filePath("Anlage.prj"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const AnsiString folder = QStringToAnsi(dir.path()) + "/";
    const struct {
        int Language;
        TFileDialogKind Kind;
        bool Prompt;
        std::vector<TModalAnswer> Answers;
        const char* Question;   // empty: none asked
        AnsiString Chosen;
    } cases[] = {
        {0, TFileDialogKind::Save, true,
         {TModalAnswer::File(folder + "Anlage"), TModalAnswer::Button(IDNO), TModalAnswer::File(folder + "Neu.prj")},
         "\u201EAnlage.prj\u201C ist bereits vorhanden.\nM\u00F6chten Sie die Datei ersetzen?", folder + "Neu.prj"},
        {1, TFileDialogKind::Save, true, {TModalAnswer::File(folder + "Anlage.prj"), TModalAnswer::Button(IDYES)},
         "Anlage.prj already exists.\nDo you want to replace it?", folder + "Anlage.prj"},
        {2, TFileDialogKind::Save, true, {TModalAnswer::File(folder + "Anlage.prj"), TModalAnswer::Button(IDNO)},
         "Le fichier \u00AB Anlage.prj \u00BB existe d\u00E9j\u00E0.\nVoulez-vous le remplacer ?", ""},
        {0, TFileDialogKind::Save, false, {TModalAnswer::File(folder + "Anlage.prj")}, "", folder + "Anlage.prj"},
        {0, TFileDialogKind::Open, true, {TModalAnswer::File(folder + "Anlage.prj")}, "", folder + "Anlage.prj"},
        {0, TFileDialogKind::Save, true, {TModalAnswer::File(folder + "Frei.prj")}, "", folder + "Frei.prj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Chosen + " " + std::to_string(c.Language));
        chosenLanguage = c.Language;
        TModalHook hook(c.Answers);
        TFileDialog dialog;
        dialog.Kind = c.Kind;
        dialog.Title = "Projekt speichern";
        dialog.DefaultExt = "prj";
        dialog.OverwritePrompt = c.Prompt;
        EXPECT_EQ(ExecuteFileDialog(dialog), c.Chosen);
        std::vector<const TModalRequest*> questions;
        for (const TModalRequest& request : hook.Requests())
            if (request.Kind == TModalKind::MessageBox)
                questions.push_back(&request);
        if (*c.Question == 0) {
            EXPECT_TRUE(questions.empty());
            continue;
        }
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(AnsiToQString(questions[0]->Text), QString::fromUtf8(c.Question));
        EXPECT_EQ(questions[0]->Caption, "Projekt speichern");
        EXPECT_EQ(questions[0]->Flags, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    }
}

}   // namespace
